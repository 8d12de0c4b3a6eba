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

// Refuses control characters and, for a tournament kept in a 1998 file
// (limiter), any character that Windows-1252 cannot hold, so that what the
// director types is stored as typed. A refused character is named in a
// tooltip beside the field (and kept in `refus`), so that it is never dropped
// without a word.
class ValidateurTexte : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& texte, int& position) const override;

    // Whether the characters are those of Windows-1252 (a 1998 file).
    void limiter(bool limites_1998) { limites_1998_ = limites_1998; }

    // The message of the last refusal, empty when none.
    const QString& refus() const { return refus_; }

  private:
    bool limites_1998_ = true;
    mutable QString refus_;
};

}  // namespace tavo::ui
