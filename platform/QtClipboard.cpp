#include "platform/QtClipboard.h"

#include "text/CodePage1251.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace morva {

QString CodePage1251ToString(const QByteArray& bytes)
{
    // Dictionary text differs from plain 1251 only in six bytes that carry Uzbek letters.
    static const std::pair<unsigned char, char16_t> Plain[] = {
        {0x81, u'\u0403'}, {0x83, u'\u0453'}, {0x8D, u'\u040C'},
        {0x8E, u'\u040B'}, {0x9D, u'\u045C'}, {0x9E, u'\u045B'},
    };
    std::u16string wide = DictTextToWide(std::string_view(bytes.constData(), bytes.size()));
    for (std::size_t i = 0; i < wide.size(); ++i)
        for (auto [byte, letter] : Plain)
            if (static_cast<unsigned char>(bytes[static_cast<qsizetype>(i)]) == byte)
                wide[i] = letter;
    return QString::fromStdU16String(wide);
}

void TQtClipboard::SetText(const QString& text)
{
    auto* data = new QMimeData;
    data->setText(text);
    std::string eightBit = WideToCodePage1251(text.toStdU16String());
    data->setData(EightBitTextMime, QByteArray(eightBit.data(), static_cast<qsizetype>(eightBit.size())));
    QGuiApplication::clipboard()->setMimeData(data);
}

QString TQtClipboard::Text() const
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return {};
    if (data->hasText())
        return data->text();
    if (data->hasFormat(EightBitTextMime))
        return CodePage1251ToString(data->data(EightBitTextMime));
    return {};
}

bool TQtClipboard::HasText() const
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && (data->hasText() || data->hasFormat(EightBitTextMime));
}

} // namespace morva
