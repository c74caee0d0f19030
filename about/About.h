#pragma once
// TAboutForm: the product, the date of the dictionary data and the credits picture scrolling
// slowly upward through a framed box.

#include "engine/KovrObj.h"

#include <QDialog>
#include <QImage>
#include <QPixmap>

#include <array>

class QFrame;
class QLabel;
class QPushButton;
class QTimer;

namespace morva {

// Uzbek month names; index 0 is January.
inline constexpr std::array<const char*, 12> MonthNames = {
    "yanvar", "fevral", "mart", "aprel", "may", "iyun",
    "iyul", "avgust", "sentyabr", "oktyabr", "noyabr", "dekabr"};

// Fills the date format of the about box: %0:d the year, %1:d the day, %2:s the month's name.
QString FormatDataDate(const QString& format, const TSystemTime& date);

// The scrolling box: shows the credits rows from the current scroll position down.
class TAboutPaintBox : public QWidget {
public:
    using QWidget::QWidget;
    void Draw(const QPixmap* picture, int top);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QPixmap* picture_ = nullptr;
    int top_ = 0;
};

class TAboutForm : public QDialog {
    Q_OBJECT

public:
    // Builds the box for the data file's date; throws std::runtime_error with a ready-to-show
    // message when the credits picture cannot be read.
    explicit TAboutForm(const TSystemTime& dataFileDate, QWidget* parent = nullptr);

    // The picture row at the top edge of the scrolling box; it may be negative.
    int ScrollPos() const { return scrollPos_; }
    // The credits picture the box scrolls.
    const QImage& Image() const { return image_; }

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void ScrollTimerTimer();

private:
    void CreateLayout();
    void FormShow();

    // The parts, under their object names.
    QTimer* ScrollTimer = nullptr;
    QImage image_;
    QFrame* Panel = nullptr;
    QFrame* Shape = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    TAboutPaintBox* AboutPB = nullptr;
    QPushButton* OKButton = nullptr;

    int scrollPos_ = 0;
    QPixmap scrollBitmap_;
};

// Creates a fresh about box, shows it modally and destroys it when it closes.
void ShowAboutBox(const TSystemTime& dataFileDate, QWidget* parent = nullptr);

} // namespace morva
