#include "platform/CopyMessage.h"

#include <QString>

namespace morva {

QByteArray EncodeCopyMessage(TCopyKind kind, const QByteArray& payload)
{
    Q_ASSERT(payload.size() <= MaxCopyPayload);
    QByteArray message;
    message.reserve(CopyHeaderSize + payload.size());
    message.append(char(kind));
    message.append(char((payload.size() >> 8) & 0xFF));
    message.append(char(payload.size() & 0xFF));
    message.append(payload);
    return message;
}

TCopyTake TakeCopyMessage(QByteArray& buffer, TCopyMessage& message, qsizetype maxPayload)
{
    if (buffer.size() < CopyHeaderSize)
        return TCopyTake::Incomplete;
    const qsizetype length = (qsizetype(std::uint8_t(buffer[1])) << 8) | std::uint8_t(buffer[2]);
    if (length > maxPayload)
        return TCopyTake::Refused;
    if (buffer.size() < CopyHeaderSize + length)
        return TCopyTake::Incomplete;
    message.Kind = std::uint8_t(buffer[0]);
    message.Payload = buffer.mid(CopyHeaderSize, length);
    buffer.remove(0, CopyHeaderSize + length);
    return TCopyTake::Taken;
}

QByteArray BoundedUtf8(const std::u16string& text)
{
    QString wide = QString::fromStdU16String(text);
    QByteArray utf8 = wide.toUtf8();
    while (utf8.size() > MaxCopyPayload) {
        // Cut whole characters: a surrogate pair stays together.
        qsizetype keep = wide.size() - (utf8.size() - MaxCopyPayload + 3) / 4 - 1;
        if (keep > 0 && wide[keep - 1].isHighSurrogate())
            --keep;
        wide.truncate(std::max<qsizetype>(keep, 0));
        utf8 = wide.toUtf8();
    }
    return utf8;
}

} // namespace morva
