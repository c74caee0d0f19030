// The search field holds UTF-16 and hands dictionary text to the program.

#include "text/XUzbekEdit.h"

#include <QTest>
#include <gtest/gtest.h>

namespace morva::test {
namespace {

using namespace Qt::StringLiterals;

TEST(XUzbekEditTest, ReadsAndWritesDictionaryText)
{
    TXUzbekEdit edit;
    edit.SetText("\x81\x83\x8D\x8E\x9D\x9E\xA1\xA2 o\x91q");
    EXPECT_EQ(edit.text(), u"ҒғҚҲқҳЎў o‘q"_s);
    EXPECT_EQ(edit.Text(), "\x81\x83\x8D\x8E\x9D\x9E\xA1\xA2 o\x91q");

    // The code page's own letters at the reassigned bytes read as the Uzbek letters.
    edit.setText(u"Ѓќ"_s);
    EXPECT_EQ(edit.Text(), "\x81\x9D");
    edit.SetText(edit.Text());
    EXPECT_EQ(edit.text(), u"Ғқ"_s);

    edit.SetText("");
    EXPECT_EQ(edit.Text(), "");
}

TEST(XUzbekEditTest, TakesAtMost255Characters)
{
    TXUzbekEdit edit;
    edit.show();
    QTest::keyClicks(&edit, QString(300, u'a'));
    EXPECT_EQ(edit.text().size(), 255);
    edit.SetText(std::string(300, 'b'));
    EXPECT_EQ(edit.Text(), std::string(255, 'b'));
}

} // namespace
} // namespace morva::test
