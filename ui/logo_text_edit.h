#pragma once

#include <QString>
#include <QValidator>
#include <functional>
#include <string>

#include "render/ft_text.h"

class QLineEdit;

namespace qv::ui {

// The most characters a logo text may hold: the engine lays out no more, so the edits that
// type one stop there instead of handing it a longer text.
inline constexpr int kMaxLogoTextLength = FtText::kMaxGlyphs - 1;

// Lets through only text that code page 1252, the document's character set, can hold; for a
// refused character it calls `refused` with it, so that the user learns why nothing appeared.
class Cp1252Validator : public QValidator {
    Q_OBJECT
public:
    explicit Cp1252Validator(QObject* parent = nullptr) : QValidator(parent) {}
    State validate(QString& input, int& pos) const override;

    // The first character of `text` that code page 1252 lacks, or an empty string.
    static QString FirstUnsupported(const QString& text);

    std::function<void(const QString& character)> refused;
};

// Makes `edit` an editor of a logo text: characters of code page 1252 only, at most
// kMaxLogoTextLength of them (typing stops there, a longer paste or text is cut).
void MakeLogoTextEdit(QLineEdit& edit, std::function<void(const QString& character)> refused);

// What the editor says when `character` was refused.
QString RefusedCharacterHint(const QString& character);

// A document text (code page 1252) for an edit, and an edit's text back as the document
// stores it.
QString ShownLogoText(const std::string& cp1252);
std::string LogoTextOf(const QString& text);

}  // namespace qv::ui
