#pragma once
// The search field: the user sees and types UTF-16 text, the program reads and writes
// dictionary text. Caret, selection and clipboard work on the UTF-16 text unchanged, and
// since both conversions keep positions, caret positions mean the same in both forms.
//
// With Latin input on (the Uzbek list), Latin Uzbek that the user types or pastes becomes
// Cyrillic as it arrives; text the program writes is left as it is.

#include <QLineEdit>

#include <string>
#include <string_view>

namespace morva {

class TXUzbekEdit : public QLineEdit {
public:
    // The most characters the user can enter.
    static constexpr int MaxTextLength = 255;

    explicit TXUzbekEdit(QWidget* parent = nullptr);

    std::string Text() const;
    void SetText(std::string_view text);

    void SetLatinInput(bool on) { latinInput_ = on; }
    bool LatinInput() const { return latinInput_; }
    // Appends dictionary text as if the user had typed it at the end.
    void TypeText(std::string_view text);

private:
    void ConvertTypedLatin();
    // The Cyrillic of typed text, or the text itself when there is nothing to convert.
    std::u16string TypedToCyrillic(std::u16string_view typed) const;

    bool latinInput_ = false;
};

} // namespace morva
