// Opens the about box for a data file dated 14 June 2005, to look at it on screen.
#include "about/About.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    morva::TSystemTime date;
    date.Year = 2005;
    date.Month = 6;
    date.Day = 14;
    morva::ShowAboutBox(date);
    return 0;
}
