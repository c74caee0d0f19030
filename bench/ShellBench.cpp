// The main window on the largest file: switching the source language (the word list
// refilled and laid out) and one typed character (search, selection, repaint).

#include "bench/BenchFiles.h"
#include "platform/FakeClipboard.h"
#include "platform/FakeMessageBox.h"
#include "platform/FakeRegistry.h"
#include "platform/FakeShellOpener.h"
#include "platform/FakeSystemInfo.h"
#include "platform/FakeTrayIcon.h"
#include "shell/FindHelper.h"
#include "shell/Main.h"
#include "tests/support/Part.h"
#include "text/XUzbekEdit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QKeyEvent>
#include <QListView>

#include <benchmark/benchmark.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace morva {
namespace {

using test::Part;

struct TBenchWindow {
    FakeRegistry registry;
    FakeSystemInfo system;
    FakeMessageBox messages;
    FakeTrayIcon tray;
    FakeShellOpener shell;
    FakeClipboard clipboard;
    std::unique_ptr<TMainForm> form;

    TBenchWindow()
    {
        TMainServices services{&registry, &system, &messages, &tray, &shell, &clipboard,
                               [] { return std::make_unique<TUzDictionary>(bench::LargeFile()); }, "/bench/morva"};
        form = std::make_unique<TMainForm>(services);
        form->Start({"morva"});
        form->show();
        QApplication::processEvents();
    }
};

// Made on first use, gone before the application object.
std::unique_ptr<TBenchWindow> window;

TBenchWindow& Window()
{
    if (!window)
        window = std::make_unique<TBenchWindow>();
    return *window;
}

void BM_SwitchSourceLanguage(benchmark::State& state)
{
    TMainForm& form = *Window().form;
    Language next = Uzbek;
    for (auto _ : state) {
        form.SetLangPair(next, next == English ? Uzbek : English, false);
        QApplication::processEvents();
        next = next == English ? Uzbek : English;
    }
    state.counters["headwords"] = Part<QListView>(form, "WordList")->model()->rowCount();
}
BENCHMARK(BM_SwitchSourceLanguage)->Unit(benchmark::kMillisecond);

void BM_TypedCharacterToSelection(benchmark::State& state)
{
    TMainForm& form = *Window().form;
    form.SetLangPair(English, Uzbek, false);
    const TUzDictionary& dict = *form.Dictionary();
    // Prefixes from all over the list; each run types the next letter of one of them.
    std::vector<std::pair<std::string, char>> probes;
    for (std::int32_t i = 0; i < dict.Count(); i += dict.Count() / 50) {
        const std::string h = dict.Headword(i);
        if (h.size() >= 3)
            probes.emplace_back(h.substr(0, h.size() - 1), h.back());
    }
    std::size_t n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const auto& [prefix, letter] = probes[n++ % probes.size()];
        Part<TXUzbekEdit>(form, "SearchEdit")->SetText(prefix);
        QApplication::processEvents();
        state.ResumeTiming();
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar::fromLatin1(letter)));
        QApplication::sendEvent(Part<TXUzbekEdit>(form, "SearchEdit"), &press);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_TypedCharacterToSelection)->Unit(benchmark::kMillisecond);

// A fresh window builds the word-finding indexes in the background: how long that takes
// from the start, and the longest any event of the window waits meanwhile (a 5 ms timer
// that should tick on time, and a letter typed at every tick).
void BM_FindIndexesBuildWithoutFreezing(benchmark::State& state)
{
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        TBenchWindow fresh;
        auto* helper = Part<TFindHelper>(*fresh.form, "FindHelper");
        auto* edit = Part<TXUzbekEdit>(*fresh.form, "SearchEdit");
        qint64 last = clock.elapsed(), longest = 0;
        QTimer tick;
        tick.setInterval(5);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const qint64 now = clock.elapsed();
            longest = std::max(longest, now - last);
            last = now;
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, edit->text().size() > 8 ? u"\b"_s : u"a"_s);
            QApplication::sendEvent(edit, &press);
        });
        QEventLoop loop;
        QObject::connect(helper, &TFindHelper::IndexesReady, &loop, &QEventLoop::quit);
        const qint64 startWait = clock.elapsed();
        const double residentBefore = bench::ResidentMegabytes();
        tick.start();
        loop.exec();
        state.counters["resident_before_MB"] = residentBefore;
        state.counters["resident_with_indexes_MB"] = bench::ResidentMegabytes();
        state.counters["ready_after_start_s"] = double(clock.elapsed()) / 1000.0;
        state.counters["window_ready_s"] = double(startWait) / 1000.0;
        state.counters["longest_wait_ms"] = double(longest);
        // The same typing for two seconds with the indexes ready: what the machine itself
        // makes an event wait, and the hints' own share.
        longest = 0;
        last = clock.elapsed();
        QTimer::singleShot(2000, &loop, &QEventLoop::quit);
        loop.exec();
        state.counters["longest_wait_after_ms"] = double(longest);
    }
}
BENCHMARK(BM_FindIndexesBuildWithoutFreezing)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
} // namespace morva

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    morva::window.reset();
    return 0;
}
