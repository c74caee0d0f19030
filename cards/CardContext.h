#pragma once
// What every card shares: the platform services, the history it records into, the window
// list, the placement maker, the error report and the offset generator.

#include "placement/CardPlacement.h"
#include "cards/OffsetRandom.h"
#include "ui/ErrorReport.h"

#include <exception>
#include <functional>

class QWidget;

namespace morva {

class IClipboard;
class IMessageBox;
class TCardsHostoryForm;
class TWindowList;
class TWordViewForm;

struct TCardContext {
    IMessageBox* MessageBox = nullptr;
    IClipboard* Clipboard = nullptr;
    TWindowList* Windows = nullptr;
    // Set once the main window is known; cards are grouped with it.
    QWidget* MainWindow = nullptr;
    // The first card made with this context.
    TWordViewForm* MainCard = nullptr;
    // Set once the history dialog exists (it is created after the main card).
    TCardsHostoryForm* History = nullptr;
    TCardPlacementFactory Placement = MakeNoCardPlacement;
    // The application's standard error report: what an uncaught exception in an event shows.
    TErrorReport ReportError;
    TOffsetRandom Random;
    // Cards show their Uzbek text in the Latin alphabet.
    bool UzbekLatin = false;
};

} // namespace morva
