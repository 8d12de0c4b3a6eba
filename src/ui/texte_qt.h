// The edge between the core's UTF-8 texts and Qt's QString. Every
// conversion of the desktop program goes through here.
#pragma once

#include <QString>
#include <QValidator>
#include <string>
#include <string_view>

namespace tavo::ui {

// A text of the core as a QString.
QString qs(std::string_view utf8);

// A QString as the core's UTF-8.
std::string utf8(const QString& texte);

// Refuses any character that Windows-1252 cannot hold (a tournament kept in
// a 1998 file holds no other), and control characters, so that what the
// director types is stored as typed. A refused
// character is named in a tooltip beside the field (and kept in `refus`), so
// that it is never dropped without a word.
class ValidateurCp1252 : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& texte, int& position) const override;

    // The message of the last refusal (UTF-8 text), empty when none.
    const QString& refus() const { return refus_; }

  private:
    mutable QString refus_;
};

}  // namespace tavo::ui
