#include "engine/Messages.h"

#include "text/Utf8.h"

namespace morva::messages {
namespace {

const std::string kFileName = "Morva.uzd";

std::string Text(std::u16string_view text)
{
    return WideToUtf8(text);
}

} // namespace

std::string ReadFailed(std::string_view systemText)
{
    // The system text ends in exactly one dot, whatever it ended with.
    std::string reason(systemText.substr(0, 256));
    while (!reason.empty() && (reason.back() == '.' || static_cast<unsigned char>(reason.back()) <= ' '))
        reason.pop_back();
    return Text(u"Lug\u2018at fayli o\u2018qilayotganda xato hosil bo\u2018ldi.") + "\r\n" + reason + ".";
}

std::string BadFormat()
{
    return Text(u"Lug\u2018at fayli formati noto\u2018g\u2018ri.");
}

std::string LengthMismatch()
{
    return "\"" + kFileName + "\"" + Text(u" lug\u2018at fayli buzilgan (uzunlik mos emasligi).");
}

std::string ChecksumMismatch()
{
    return "\"" + kFileName + "\"" + Text(u" lug\u2018at fayli buzilgan (nazorat yig\u2018indisi mos emasligi).");
}

std::string NoWords()
{
    return "\"" + kFileName + "\"" + Text(u" lug\u2018at faylida bironta so\u2018z yo\u2018q.");
}

std::string NoSuchIndex(std::int32_t index)
{
    return std::to_string(index) + Text(u" indeksli element yo\u2018q.");
}

std::string InternalError()
{
    return Text(u"Lug\u2018atning ichki xatosi.");
}

} // namespace morva::messages
