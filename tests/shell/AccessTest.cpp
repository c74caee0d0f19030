// The main window without the mouse and without the eyes: Alt letters and F10 for the menus,
// names and roles for screen readers, focus events that follow the real focus, and icons that
// read on a dark palette.

#include "tests/shell/ShellFixture.h"

#include "ui/Mnemonic.h"
#include "ui/Palette.h"

#include <QAccessible>
#include <QAccessibleEvent>
#include <QLabel>
#include <QMenuBar>
#include <QToolButton>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

#include <functional>

namespace morva::test {
namespace {

using namespace Qt::StringLiterals;

using AccessTest = ShellTest;

QList<QMenu*> MenuBarMenus(TMainForm& form)
{
    QList<QMenu*> menus;
    for (QAction* action : form.menuBar()->actions())
        menus.append(action->menu());
    return menus;
}

// A menu and every submenu in it.
void CollectMenus(QMenu* menu, QList<QMenu*>& into)
{
    into.append(menu);
    for (QAction* action : menu->actions())
        if (action->menu())
            CollectMenus(action->menu(), into);
}

TEST_F(AccessTest, EveryMenuAndItemHasItsOwnAltLetterAndShowsItsCaption)
{
    Create();
    QStringList titles;
    for (QMenu* menu : MenuBarMenus(*form))
        titles.append(WithoutMnemonic(menu->title()));
    EXPECT_EQ(titles, QStringList({u"To‘g‘rilash"_s, u"Servis"_s, u"?"_s}));

    QList<QMenu*> menus;
    for (QMenu* menu : MenuBarMenus(*form))
        CollectMenus(menu, menus);
    for (const char* popup : {"TrayPopupMenu", "SrcLangPopupMenu", "DestLangPopupMenu"})
        menus.append(Part<QMenu>(*form, popup));

    auto letters = [](const QList<QAction*>& actions) {
        QStringList taken;
        for (QAction* action : actions) {
            if (action->isSeparator())
                continue;
            const QKeySequence letter = QKeySequence::mnemonic(action->text());
            EXPECT_FALSE(letter.isEmpty()) << action->text().toStdString();
            EXPECT_FALSE(taken.contains(letter.toString())) << "clash at " << action->text().toStdString();
            taken.append(letter.toString());
        }
    };
    letters(form->menuBar()->actions());
    for (QMenu* menu : menus) {
        SCOPED_TRACE(menu->objectName().toStdString() + " " + menu->title().toStdString());
        letters(menu->actions());
    }

    // What the user reads stays the caption; hints carry no marker.
    EXPECT_EQ(WithoutMnemonic(Part<QAction>(*form, "WordInfoAction")->text()), u"Ro‘yxatdagi so‘z tarjimasi"_s);
    EXPECT_EQ(WithoutMnemonic(Part<QAction>(*form, "CardsHostoryAction")->text()), u"Kartochkalar tarixi"_s);
    EXPECT_EQ(Part<QAction>(*form, "CardsHostoryAction")->toolTip(), u"Kartochkalar tarixi"_s);
    EXPECT_EQ(Part<QAction>(*form, "SrcRussianLangAction")->toolTip(), u"Переводить с русского языка"_s);
}

TEST_F(AccessTest, AltLettersAndF10OpenTheMenus)
{
    Create();
    const QList<QMenu*> menus = MenuBarMenus(*form);
    ASSERT_EQ(menus.size(), 3);
    const struct {
        int Key;
        QMenu* Menu;
    } cases[] = {{Qt::Key_T, menus[0]}, {Qt::Key_S, menus[1]}, {Qt::Key_Question, menus[2]}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Menu->title().toStdString());
        QTest::keyClick(Part<TXUzbekEdit>(*form, "SearchEdit"), static_cast<Qt::Key>(c.Key), Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return c.Menu->isVisible(); }));
        c.Menu->close();
        form->menuBar()->setActiveAction(nullptr);
    }
    EXPECT_EQ(SearchText(), "") << "Alt letters type nothing";

    QTest::keyClick(Part<TXUzbekEdit>(*form, "SearchEdit"), Qt::Key_F10);
    EXPECT_TRUE(QTest::qWaitFor([&] { return menus[0]->isVisible(); }));
    EXPECT_EQ(form->menuBar()->activeAction(), menus[0]->menuAction());
    // In an open menu a letter runs its item: "Servis paneli" hides the service bar.
    menus[0]->close();
    QTest::keyClick(Part<TXUzbekEdit>(*form, "SearchEdit"), Qt::Key_S, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return menus[1]->isVisible(); }));
    QTest::keyClick(menus[1], Qt::Key_S);
    QMenu* setup = nullptr;
    for (QAction* action : menus[1]->actions())
        if (action->menu())
            setup = action->menu();
    ASSERT_NE(setup, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return setup->isVisible(); }));
    QTest::keyClick(setup, Qt::Key_S);
    EXPECT_TRUE(Part<QToolBar>(*form, "ServiceToolBar")->isHidden());
    EXPECT_FALSE(Part<QAction>(*form, "ShowServiceBarAction")->isChecked());
}

TEST_F(AccessTest, ControlsHaveNamesAndRolesForReaders)
{
    Create();
    const struct {
        const char* Part;
        QString Name;
        QAccessible::Role Role;
        // A selector's name is the language it shows; what it chooses is its description.
        QAccessible::Text Carrier = QAccessible::Name;
    } cases[] = {
        {"SearchEdit", u"Qidiriladigan so‘z"_s, QAccessible::EditableText},
        {"WordList", u"So‘zlar ro‘yxati"_s, QAccessible::List},
        {"SrcLangCB", u"Boshlang‘ich til"_s, QAccessible::ComboBox, QAccessible::Description},
        {"DestLangCB", u"Tarjima tili"_s, QAccessible::ComboBox, QAccessible::Description},
        {"DirectionImage", u"Tarjima yo‘nalishi"_s, QAccessible::Graphic},
        {"EditToolBar", u"To‘g‘rilash paneli"_s, QAccessible::ToolBar},
        {"LangToolBar", u"Tillar paneli"_s, QAccessible::ToolBar},
        {"ServiceToolBar", u"Servis paneli"_s, QAccessible::ToolBar},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Part);
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(Part<QWidget>(*form, c.Part));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->text(c.Carrier), c.Name);
        EXPECT_EQ(control->role(), c.Role);
    }
    EXPECT_EQ(QAccessible::queryAccessibleInterface(Part<QWidget>(*form, "DestLangCB"))->text(QAccessible::Name),
              u"O'zbekcha"_s);
    // The bar buttons read as their commands, without the menu's Alt marker, and none of
    // them, the bar's own overflow button included, goes unnamed.
    auto* bar = Part<QToolBar>(*form, "ServiceToolBar");
    QWidget* button = bar->widgetForAction(Part<QAction>(*form, "CardsHostoryAction"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name), u"Kartochkalar tarixi"_s);
    for (const char* name : {"EditToolBar", "LangToolBar", "ServiceToolBar"})
        for (QToolButton* any : Part<QToolBar>(*form, name)->findChildren<QToolButton*>()) {
            const QString read = QAccessible::queryAccessibleInterface(any)->text(QAccessible::Name);
            EXPECT_FALSE(read.isEmpty()) << name << " " << any->objectName().toStdString();
            EXPECT_FALSE(read.contains(u'&')) << read.toStdString();
        }
}

// Focus events as a screen reader receives them. Qt sends them only while a reader is
// listening, which its platform layer says; headless, the test says so itself.
class FocusEvents {
public:
    FocusEvents()
    {
        current_ = this;
        previous_ = QAccessible::installUpdateHandler(&FocusEvents::Record);
        accessibility_ = QGuiApplicationPrivate::platformIntegration()->accessibility();
        if (accessibility_)
            accessibility_->setActive(true);
        EXPECT_TRUE(QAccessible::isActive());
    }
    ~FocusEvents()
    {
        if (accessibility_)
            accessibility_->setActive(false);
        QAccessible::installUpdateHandler(previous_);
        current_ = nullptr;
    }
    FocusEvents(const FocusEvents&) = delete;
    FocusEvents& operator=(const FocusEvents&) = delete;

    struct TEvent {
        QObject* Object;
        int Child;
    };
    std::vector<TEvent> Seen;

private:
    static void Record(QAccessibleEvent* event)
    {
        if (current_ && event->type() == QAccessible::Focus)
            current_->Seen.push_back({event->object(), event->child()});
    }
    static inline FocusEvents* current_ = nullptr;
    QAccessible::UpdateHandler previous_ = nullptr;
    QPlatformAccessibility* accessibility_ = nullptr;
};

TEST_F(AccessTest, FocusEventsFollowTheKeyboardFocusWhileTyping)
{
    Create();
    auto* edit = Part<TXUzbekEdit>(*form, "SearchEdit");
    auto* list = Part<QListView>(*form, "WordList");
    ASSERT_TRUE(edit->hasFocus());
    FocusEvents events;
    QTest::keyClicks(edit, "bo");
    QTest::keyClick(edit, Qt::Key_Down);
    QTest::keyClick(edit, Qt::Key_PageDown);
    ASSERT_EQ(SelectedHeadword(), "dog") << "the list moved";
    for (const auto& seen : events.Seen)
        EXPECT_NE(seen.Object, list) << "row " << seen.Child << " announced while the caret is in the field";

    // With the focus in the list its rows are announced, as they should be.
    list->setFocus();
    events.Seen.clear();
    QTest::keyClick(list, Qt::Key_Up);
    ASSERT_FALSE(events.Seen.empty());
    EXPECT_EQ(events.Seen.back().Object, list);
}

TEST_F(AccessTest, IconsAndTheArrowReadOnADarkPalette)
{
    Create();
    QPalette dark = form->palette();
    dark.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    const QColor outline = IconOutlineColour(dark);
    EXPECT_GE(ContrastRatio(outline, dark.color(QPalette::Window)), ReadableContrast);
    EXPECT_EQ(IconOutlineColour(QPalette(Qt::black, Qt::white)), QColor(0x26, 0x33, 0x4d)) << "light: as drawn";

    // Drawn in that colour: the cut icon (outline only blades) and the arrow show it.
    auto hasOutline = [&](const QImage& image) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (QColor(image.pixel(x, y)) == outline && qAlpha(image.pixel(x, y)) == 255)
                    return true;
        return false;
    };
    form->setPalette(dark);
    const QImage cut = Part<QAction>(*form, "CutToClipAction")->icon().pixmap(32, 32).toImage();
    EXPECT_TRUE(hasOutline(cut));
    const QImage arrow = Part<QLabel>(*form, "DirectionImage")->pixmap().toImage();
    EXPECT_TRUE(hasOutline(arrow));
    EXPECT_EQ(Part<QAction>(*form, "SrcChangeLangAction")->icon().cacheKey(),
              Part<QAction>(*form, "SrcEnglishLangAction")->icon().cacheKey())
        << "the next-source command shows the checked command's new icon";
}

} // namespace
} // namespace morva::test
