#pragma once
// The search field: the user sees and types UTF-16 text, the program reads and writes
// dictionary text. Caret, selection and clipboard work on the UTF-16 text unchanged, and
// since both conversions keep positions, caret positions mean the same in both forms.

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
};

} // namespace morva
