// The edge between the core's Windows-1252 texts and Qt's QString. Every
// conversion of the desktop program goes through here.
#pragma once

#include <QString>
#include <QValidator>
#include <string>
#include <string_view>

namespace tavo::ui {

// A Windows-1252 text of the core as a QString.
QString qs(std::string_view cp1252);

// A QString as Windows-1252 bytes; a character the set cannot hold becomes '?'
// (the text fields refuse such characters with ValidateurCp1252 beforehand).
std::string cp1252(const QString& texte);

// Refuses any character that Windows-1252 cannot hold, and control
// characters, so that what the director types is stored as typed. A refused
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
