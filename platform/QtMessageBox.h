#pragma once

#include "platform/MessageBox.h"

namespace morva {

class TQtMessageBox : public IMessageBox {
public:
    void Show(QWidget* parent, const QString& text, const QString& caption, TMessageIcon icon) override;
};

} // namespace morva
