#pragma once
// Message boxes for tests: recorded, never shown.

#include "platform/MessageBox.h"

#include <vector>

namespace morva {

class FakeMessageBox : public IMessageBox {
public:
    struct TShown {
        QWidget* Parent;
        QString Text;
        QString Caption;
        TMessageIcon Icon;
    };
    std::vector<TShown> Shown;

    void Show(QWidget* parent, const QString& text, const QString& caption, TMessageIcon icon) override
    {
        Shown.push_back({parent, text, caption, icon});
    }
};

} // namespace morva
