#include "text/XUzbekEdit.h"

#include "text/CodePage1251.h"
#include "text/UzbekLatin.h"

#include <algorithm>

namespace morva {

TXUzbekEdit::TXUzbekEdit(QWidget* parent) : QLineEdit(parent)
{
    setMaxLength(MaxTextLength);
    connect(this, &QLineEdit::textEdited, this, [this] { ConvertTypedLatin(); });
}

std::string TXUzbekEdit::Text() const
{
    return WideToDictText(text().toStdU16String());
}

void TXUzbekEdit::SetText(std::string_view text)
{
    setText(QString::fromStdU16String(DictTextToWide(text)));
}

void TXUzbekEdit::TypeText(std::string_view text)
{
    // Read and written back as dictionary text, as the program writes the field.
    setText(QString::fromStdU16String(TypedToCyrillic(DictTextToWide(Text() + std::string(text)))));
}

std::u16string TXUzbekEdit::TypedToCyrillic(std::u16string_view typed) const
{
    return latinInput_ ? UzbekSearchToCyrillic(typed) : std::u16string(typed);
}

void TXUzbekEdit::ConvertTypedLatin()
{
    const std::u16string typed = text().toStdU16String();
    const std::u16string converted = TypedToCyrillic(typed);
    if (converted == typed)
        return;
    // The conversion looks only backwards, so the text before the caret converts on its own.
    const auto beforeCaret = std::u16string_view(typed).substr(0, std::size_t(std::max(cursorPosition(), 0)));
    const int caret = int(ConvertUzbekLatin(beforeCaret).size());
    setText(QString::fromStdU16String(converted));
    setCursorPosition(std::min(caret, int(converted.size())));
}

} // namespace morva
