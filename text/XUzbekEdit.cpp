#include "text/XUzbekEdit.h"

#include "text/CodePage1251.h"

namespace morva {

TXUzbekEdit::TXUzbekEdit(QWidget* parent) : QLineEdit(parent)
{
    setMaxLength(MaxTextLength);
}

std::string TXUzbekEdit::Text() const
{
    return WideToDictText(text().toStdU16String());
}

void TXUzbekEdit::SetText(std::string_view text)
{
    setText(QString::fromStdU16String(DictTextToWide(text)));
}

} // namespace morva
