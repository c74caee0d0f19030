#pragma once
// TPropStorage keeps one window's placement in the registry through a TRegPropStorageMan:
// LoadStoredProps puts the stored placement on the window, SaveStoredProps stores the
// window's placement. The three hooks are the steps a window runs when it turns visible,
// when it is asked to close and when it is destroyed.

#include "placement/PlacementWindow.h"
#include "placement/RegPropStorageMan.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QObject;
class QWidget;

namespace morva {

// The application's standard error report.
using TErrorReport = std::function<void(const std::exception&)>;

class TPropStorage {
public:
    TPropStorage(std::unique_ptr<IPlacementWindow> window, TRegPropStorageMan* storageManager, std::string section,
                 TErrorReport report = {});
    ~TPropStorage();
    TPropStorage(const TPropStorage&) = delete;
    TPropStorage& operator=(const TPropStorage&) = delete;

    bool Active = true;
    std::string Section;
    // Not owned; with none, loading and saving do nothing.
    TRegPropStorageMan* StorageManager;
    // "<P>." names a property of the owner window.
    std::vector<std::string> StoredProps = {"<P>.Height", "<P>.Left", "<P>.PixelsPerInch", "<P>.Top", "<P>.Width"};

    // Both throw: EReadError, ERegistryError. A window that has neither taken a stored
    // placement nor been on screen has no placement of its own: saving stores nothing then,
    // so a start that ends early, or a card that never showed, keeps what was stored.
    void LoadStoredProps();
    void SaveStoredProps();
    // Saved since the last load.
    bool Saved() const { return saved_; }

    // Take the placement on showing, before the window's own show handler; never fails.
    void ShowHook();
    // Store the placement when the window may close, after its own close-query handler.
    // A failure goes to the error report.
    void CloseQueryHook(bool canClose);
    // Store the placement on destruction unless it was stored since last taken; call first
    // thing in the window's destructor. A failure goes to the error report.
    void DestroyHook();

    // Runs ShowHook and CloseQueryHook from the widget's own show and close events (a show
    // that the window system starts, such as a restore from minimised, does not count).
    // Without closeQuery the window runs CloseQueryHook itself as it closes, for instance to
    // store it with everything else it stores then in one write.
    void InstallHooks(QWidget& window, bool closeQuery = true);

    IPlacementWindow& Window() { return *window_; }

private:
    std::vector<std::uint8_t> BuildStream();
    void ReadStream(std::span<const std::uint8_t> stream);
    void Report(const std::exception& error);

    std::unique_ptr<IPlacementWindow> window_;
    TErrorReport report_;
    bool saved_ = false;
    bool placed_ = false;
    std::unique_ptr<QObject> hooks_;
};

// A TPropStorage for a Qt window (section "MainWindow" for the main window,
// "WordViewWindow" for every card).
std::unique_ptr<TPropStorage> MakeWidgetPropStorage(QWidget& window, TRegPropStorageMan& storageManager,
                                                    const std::string& section, TErrorReport report);

} // namespace morva
