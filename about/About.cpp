#include "about/About.h"

#include "resources/JpegImage.h"
#include "ui/Program.h"
#include "ui/ScreenCentre.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <memory>

namespace morva {
namespace {

constexpr int ScrollInterval = 40;
constexpr int ScrollStart = -90;
// Where the picture starts again once it has left the box.
constexpr int ScrollRestart = -100;

const QColor Navy(0, 0, 128);

QFont ArialFont(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QLabel* MakeLabel(QWidget* parent, const char* name, QRect bounds, int pixels, bool bold,
                  const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(bounds);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setFont(ArialFont(pixels, bold));
    return label;
}

} // namespace

QString FormatDataDate(const QString& format, const TSystemTime& date)
{
    const bool knownMonth = date.Month >= 1 && date.Month <= MonthNames.size();
    QString text = format;
    text.replace(QStringLiteral("%0:d"), QString::number(date.Year));
    text.replace(QStringLiteral("%1:d"), QString::number(date.Day));
    text.replace(QStringLiteral("%2:s"),
                 knownMonth ? QString::fromLatin1(MonthNames[date.Month - 1]) : QString());
    return text;
}

void TAboutPaintBox::Draw(const QPixmap* picture, int top)
{
    picture_ = picture;
    top_ = top;
    repaint();
}

void TAboutPaintBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // Rows above and below the picture show the white of the box.
    painter.fillRect(rect(), Qt::white);
    if (!picture_)
        return;
    const QRect source = QRect(0, top_, width(), height()).intersected(picture_->rect());
    if (!source.isEmpty())
        painter.drawPixmap(QPoint(source.x(), source.y() - top_), *picture_, source);
}

TAboutForm::TAboutForm(const TSystemTime& dataFileDate, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                          | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    CreateLayout();
    scrollPos_ = ScrollStart;
    scrollBitmap_ = QPixmap::fromImage(image_);
    Label3->setText(FormatDataDate(Label3->text(), dataFileDate));
}

void TAboutForm::CreateLayout()
{
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("Kovrak Morva tizimi haqida "));
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(366, 284);
    QFont tahoma = WindowFont();
    tahoma.setStyleHint(QFont::SansSerif);
    setFont(tahoma);

    ScrollTimer = new QTimer(this);
    ScrollTimer->setObjectName(QStringLiteral("ScrollTimer"));
    ScrollTimer->setInterval(ScrollInterval);
    connect(ScrollTimer, &QTimer::timeout, this, &TAboutForm::ScrollTimerTimer);

    image_ = LoadJpeg(QStringLiteral(":/pictures/Credits.jpg"));

    Panel = new QFrame(this);
    Panel->setObjectName(QStringLiteral("Panel"));
    Panel->setGeometry(rect());
    Panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel->setLineWidth(2);
    QPalette white = Panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel->setPalette(white);
    Panel->setAutoFillBackground(true);
    Panel->setFont(ArialFont(11));

    Shape = new QFrame(Panel);
    Shape->setObjectName(QStringLiteral("Shape"));
    Shape->setGeometry(8, 135, 352, 107);
    Shape->setFrameStyle(QFrame::Box | QFrame::Plain);
    Shape->setLineWidth(1);
    QPalette outline = white;
    outline.setColor(QPalette::WindowText, Qt::black);
    Shape->setPalette(outline);
    Shape->setAutoFillBackground(true);

    Label1 = MakeLabel(Panel, "Label1", QRect(41, 16, 284, 19), 16, true,
                       QStringLiteral("Kovrak Morva 1.0"));
    Label2 = MakeLabel(Panel, "Label2", QRect(41, 40, 284, 18), 15, true,
                       QStringLiteral("Uch tillik lug'at"));
    for (QLabel* label : {Label1, Label2}) {
        QPalette navy = label->palette();
        navy.setColor(QPalette::WindowText, Navy);
        label->setPalette(navy);
    }
    Label3 = MakeLabel(Panel, "Label3", QRect(8, 72, 350, 20), 13, false,
                       QStringLiteral("Ma'lumotlar bazasi %0:d yil %1:d %2:sda yangilangan"));
    Label4 = MakeLabel(Panel, "Label4", QRect(8, 92, 350, 18), 13, false,
                       QStringLiteral("Kovrak Morva 1.0  \u00A9 Kovrak, 2005"));
    Label5 = MakeLabel(Panel, "Label5", QRect(8, 112, 350, 19), 13, false,
                       QStringLiteral("Barcha huquqlar himoyalangan."));

    AboutPB = new TAboutPaintBox(Panel);
    AboutPB->setObjectName(QStringLiteral("AboutPB"));
    AboutPB->setGeometry(9, 136, 350, 105);

    OKButton = new QPushButton(QStringLiteral("OK"), Panel);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(138, 252, 90, 25);
    OKButton->setDefault(true);
    OKButton->setAutoDefault(true);
    // OK and Esc both end the box with "cancel", as there is nothing to accept.
    connect(OKButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TAboutForm::FormShow()
{
    ScrollTimer->start();
}

void TAboutForm::ScrollTimerTimer()
{
    ++scrollPos_;
    if (scrollPos_ > scrollBitmap_.height())
        scrollPos_ = ScrollRestart;
    AboutPB->Draw(&scrollBitmap_, scrollPos_);
}

void TAboutForm::showEvent(QShowEvent* event)
{
    CentreOnScreen(*this);
    QDialog::showEvent(event);
    FormShow();
}

void ShowAboutBox(const TSystemTime& dataFileDate, QWidget* parent)
{
    const auto form = std::make_unique<TAboutForm>(dataFileDate, parent);
    form->exec();
}

} // namespace morva
