#include "platform/QtMessageBox.h"

#include <QMessageBox>

namespace morva {

void TQtMessageBox::Show(QWidget* parent, const QString& text, const QString& caption, TMessageIcon icon)
{
    QMessageBox box(icon == TMessageIcon::Error ? QMessageBox::Critical : QMessageBox::Information, caption, text,
                    QMessageBox::Ok, parent);
    box.show();
    box.raise();
    box.activateWindow();
    box.exec();
}

} // namespace morva
