#pragma once
// What two copies of the program say to each other over their socket: each message is a
// kind byte, a 16-bit big-endian length and that many bytes. A kind that a copy does not
// know is answered "no", so a newer copy can add kinds.

#include <QByteArray>

#include <cstdint>
#include <optional>

namespace morva {

enum class TCopyKind : std::uint8_t {
    Visible = 1,    // is the program on screen (not in the notification area)?
    Restore = 2,    // restore the main window
    Foreground = 3, // make it the foreground window
    Message = 4,    // a window message: "message wParam lParam" in decimal
    LookUp = 5,     // show the card for a text (UTF-8), untrusted
    Token = 6,      // the later copy's activation token, for the activation that follows
    Answer = 0x80,  // the reply to any of them: "1" or "0"
};

// A text longer than this is cut before it is sent, and a message announcing more is refused.
inline constexpr qsizetype MaxCopyPayload = 4096;
inline constexpr qsizetype CopyHeaderSize = 3;

struct TCopyMessage {
    std::uint8_t Kind = 0;
    QByteArray Payload;
};

// The payload must not be longer than MaxCopyPayload.
QByteArray EncodeCopyMessage(TCopyKind kind, const QByteArray& payload = {});

enum class TCopyTake { Incomplete, Taken, Refused };

// Takes the first whole message off the front of the buffer. Refused: the buffer announces a
// message longer than any this side accepts (the sender is no copy of ours).
TCopyTake TakeCopyMessage(QByteArray& buffer, TCopyMessage& message, qsizetype maxPayload = MaxCopyPayload);

// UTF-8 of the text, cut at a character boundary to fit one message.
QByteArray BoundedUtf8(const std::u16string& text);

} // namespace morva
