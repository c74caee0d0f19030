#include "placement/PropStorage.h"

#include "placement/PlacementInterceptor.h"
#include "placement/QtPlacementWindow.h"

#include <QEvent>
#include <QObject>
#include <QWidget>

#include <optional>
#include <strings.h>

namespace morva {
namespace {

constexpr std::string_view OwnerPrefix = "<P>.";

class TPlacementHooks : public QObject {
public:
    TPlacementHooks(TPropStorage& storage, bool closeQuery) : storage_(storage), closeQuery_(closeQuery) {}

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show && !event->spontaneous())
            storage_.ShowHook();
        else if (event->type() == QEvent::Close && closeQuery_)
            storage_.CloseQueryHook(true);
        return false;
    }

private:
    TPropStorage& storage_;
    bool closeQuery_;
};

// The position in a stored stream, with the pixels per inch it was stored at.
struct TStoredPosition {
    std::optional<int> Left;
    std::optional<int> Top;
    std::optional<int> PixelsPerInch;
};

TStoredPosition ReadStoredPosition(std::span<const std::uint8_t> stream)
{
    TStoredPosition position;
    TStreamReader reader(stream);
    reader.ReadSignature();
    reader.ReadPrefix();
    reader.ReadStr(); // class name
    reader.ReadStr(); // component name
    while (!reader.EndOfList()) {
        const std::string name = reader.ReadStr();
        std::optional<int>* field = strcasecmp(name.c_str(), "Left") == 0          ? &position.Left
                                  : strcasecmp(name.c_str(), "Top") == 0           ? &position.Top
                                  : strcasecmp(name.c_str(), "PixelsPerInch") == 0 ? &position.PixelsPerInch
                                                                                   : nullptr;
        if (!field) {
            reader.SkipValue();
            continue;
        }
        try {
            *field = reader.ReadInteger();
        } catch (const EPropertyError&) {
        }
    }
    return position;
}

// Where the window system does not tell a window's position, the stored one stays (at the
// pixels per inch it was stored at, the size scaled to match), so that a session that can
// place windows finds them where the user left them. With none stored, none is written.
TStoredPosition KeepStoredPosition(TRegPropStorageMan& manager, const std::string& section,
                                   TPlacementInterceptor& interceptor)
{
    TStoredPosition stored;
    try {
        if (auto stream = manager.ReadSection(section))
            stored = ReadStoredPosition(*stream);
    } catch (const EReadError&) {
        // Nothing usable stored: nothing to keep.
    }
    const int ppi = stored.PixelsPerInch.value_or(interceptor.PixelsPerInch);
    if (ppi > 0 && interceptor.PixelsPerInch > 0 && ppi != interceptor.PixelsPerInch) {
        interceptor.Width = MulDiv(interceptor.Width, ppi, interceptor.PixelsPerInch);
        interceptor.Height = MulDiv(interceptor.Height, ppi, interceptor.PixelsPerInch);
        interceptor.PixelsPerInch = ppi;
    }
    return stored;
}

} // namespace

TPropStorage::TPropStorage(std::unique_ptr<IPlacementWindow> window, TRegPropStorageMan* storageManager,
                           std::string section, TErrorReport report)
    : Section(std::move(section)), StorageManager(storageManager), window_(std::move(window)), report_(std::move(report))
{
}

TPropStorage::~TPropStorage() = default;

void TPropStorage::LoadStoredProps()
{
    saved_ = false;
    if (!StorageManager)
        return;

    // The older form is read once: it goes even when it cannot be applied, or it would
    // stand in front of the stored lines for ever.
    bool olderForm = false;
    try {
        if (auto older = StorageManager->ReadOlderForm(Section)) {
            olderForm = true;
            ReadStream(*older);
        }
    } catch (...) {
        StorageManager->DeleteOlderForm(Section);
        throw;
    }
    if (olderForm) {
        StorageManager->DeleteOlderForm(Section);
        return;
    }

    if (auto stream = StorageManager->ReadSection(Section))
        ReadStream(*stream);
}

void TPropStorage::ReadStream(std::span<const std::uint8_t> stream)
{
    TStreamReader reader(stream);
    reader.ReadSignature();
    reader.ReadPrefix();
    reader.ReadStr(); // class name
    reader.ReadStr(); // component name

    std::optional<TPlacementInterceptor> interceptor;
    while (!reader.EndOfList()) {
        const std::string name = reader.ReadStr();
        if (!interceptor)
            interceptor.emplace(*window_);
        try {
            if (TPlacementInterceptor::HasProperty(name))
                interceptor->ReadProperty(name, reader);
            else if (window_->IntProperty(name))
                window_->SetIntProperty(name, reader.ReadInteger());
            else
                reader.SkipValue(); // a property this window does not have
        } catch (const EPropertyError&) {
            // One unusable value: the others still apply.
        }
    }
    reader.ReadListEnd();
    // Only a completely read property list changes the window.
    if (interceptor) {
        interceptor->Apply();
        placed_ = true;
    }

    while (!reader.EndOfList())
        reader.SkipComponent();
    reader.ReadListEnd();
}

std::vector<std::uint8_t> TPropStorage::BuildStream()
{
    TStreamWriter writer;
    writer.WriteSignature();
    writer.WriteStr(window_->ClassName());
    writer.WriteStr(window_->ComponentName());
    TPlacementInterceptor interceptor(*window_);
    const bool positionKnown = window_->PositionKnown();
    const TStoredPosition kept =
        positionKnown ? TStoredPosition{} : KeepStoredPosition(*StorageManager, Section, interceptor);
    for (const std::string& entry : StoredProps) {
        if (!entry.starts_with(OwnerPrefix))
            continue;
        const std::string name = entry.substr(OwnerPrefix.size());
        std::optional<int> value = interceptor.IntegerProperty(name);
        if (!positionKnown && strcasecmp(name.c_str(), "Left") == 0)
            value = kept.Left;
        else if (!positionKnown && strcasecmp(name.c_str(), "Top") == 0)
            value = kept.Top;
        if (!value && !TPlacementInterceptor::HasProperty(name))
            value = window_->IntProperty(name);
        if (!value)
            continue;
        writer.WriteStr(name);
        writer.WriteInteger(*value);
    }
    writer.WriteListEnd(); // properties
    writer.WriteListEnd(); // child components
    writer.WriteListEnd();
    return std::move(writer.Bytes());
}

void TPropStorage::SaveStoredProps()
{
    if (!StorageManager || (!placed_ && !window_->WasShown()))
        return;
    StorageManager->WriteSection(Section, BuildStream());
    saved_ = true;
}

void TPropStorage::Report(const std::exception& error)
{
    if (report_)
        report_(error);
}

void TPropStorage::ShowHook()
{
    if (!Active)
        return;
    try {
        LoadStoredProps();
    } catch (const std::exception&) {
        // Nothing stored or nothing usable: the window keeps its placement.
    }
}

void TPropStorage::CloseQueryHook(bool canClose)
{
    if (!canClose || !Active || !window_->HasHandle())
        return;
    try {
        SaveStoredProps();
    } catch (const std::exception& error) {
        Report(error);
    }
}

void TPropStorage::DestroyHook()
{
    if (!Active || saved_)
        return;
    try {
        SaveStoredProps();
    } catch (const std::exception& error) {
        Report(error);
    }
}

void TPropStorage::InstallHooks(QWidget& window, bool closeQuery)
{
    hooks_ = std::make_unique<TPlacementHooks>(*this, closeQuery);
    window.installEventFilter(hooks_.get());
}

std::unique_ptr<TPropStorage> MakeWidgetPropStorage(QWidget& window, TRegPropStorageMan& storageManager,
                                                    const std::string& section, TErrorReport report)
{
    return std::make_unique<TPropStorage>(std::make_unique<TQtPlacementWindow>(window), &storageManager, section,
                                          std::move(report));
}

} // namespace morva
