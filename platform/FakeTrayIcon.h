#pragma once
// The notification-area icon for tests; Click plays a mouse click on it.

#include "platform/TrayIcon.h"

namespace morva {

class FakeTrayIcon : public ITrayIcon {
public:
    bool Available = true;
    bool Shown = false;
    QString Tip;
    QMenu* Menu = nullptr;
    int AddCount = 0;
    int RemoveCount = 0;

    bool IsAvailable() const override { return Available; }
    void Add(const QIcon&, const QString& tip) override
    {
        Shown = true;
        Tip = tip;
        ++AddCount;
    }
    void Remove() override
    {
        Shown = false;
        ++RemoveCount;
    }
    bool IsShown() const override { return Shown; }
    void SetMenu(QMenu* menu) override { Menu = menu; }
    void OnClick(std::function<void(TTrayClick)> handler) override { handler_ = std::move(handler); }

    void Click(TTrayClick click)
    {
        if (handler_)
            handler_(click);
    }

private:
    std::function<void(TTrayClick)> handler_;
};

} // namespace morva
