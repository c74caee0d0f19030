#include "platform/QtClipboard.h"
#include "platform/QtMessageBox.h"
#include "text/CodePage1251.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace morva {
namespace {

TEST(QtClipboard, TextGoesOutAsUnicodeAndAsItsEightBitForm)
{
    TQtClipboard clipboard;
    const QString text = QString::fromUtf8("kitob — книга");
    clipboard.SetText(text);

    EXPECT_TRUE(clipboard.HasText());
    EXPECT_EQ(clipboard.Text(), text);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->data("text/plain"), text.toUtf8());
    const std::string eightBit = WideToCodePage1251(text.toStdU16String());
    EXPECT_EQ(data->data(EightBitTextMime), QByteArray::fromStdString(eightBit));
}

TEST(QtClipboard, AnEightBitFormAloneIsReadAsPlainCodePage1251)
{
    auto* data = new QMimeData;
    data->setData(EightBitTextMime, QByteArray("\x81\x83\xEA\xED\xE8\xE3\xE0", 7));
    QGuiApplication::clipboard()->setMimeData(data);

    TQtClipboard clipboard;
    EXPECT_TRUE(clipboard.HasText());
    EXPECT_EQ(clipboard.Text(), QString::fromUtf8("Ѓѓкнига"));

    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(clipboard.HasText());
    EXPECT_EQ(clipboard.Text(), QString());
}

TEST(QtMessageBox, ShowsTheTextCaptionAndIconWithOneOkButton)
{
    struct TSeen {
        QString Title, Text;
        QMessageBox::Icon Icon = QMessageBox::NoIcon;
        int Buttons = 0;
    };
    for (auto [icon, expected] : {std::pair{TMessageIcon::Error, QMessageBox::Critical},
                                  std::pair{TMessageIcon::Information, QMessageBox::Information}}) {
        TSeen seen;
        QTimer::singleShot(0, [&seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen = {box->windowTitle(), box->text(), box->icon(), static_cast<int>(box->buttons().size())};
            box->button(QMessageBox::Ok)->click();
        });
        TQtMessageBox().Show(nullptr, "Dastur ishlashi uchun shrift zarur.", "Kovrak MORVA", icon);
        EXPECT_EQ(seen.Title, "Kovrak MORVA");
        EXPECT_EQ(seen.Text, "Dastur ishlashi uchun shrift zarur.");
        EXPECT_EQ(seen.Icon, expected);
        EXPECT_EQ(seen.Buttons, 1);
    }
}

} // namespace
} // namespace morva
