// The preview of a single-product proposal: from "View" (the proposal run,
// its page files reloaded into the preview window, the window shown) to the
// first page painted; then the same without the run, turning a page, and one
// zoom step. Each is the median of single runs.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QSettings>
#include <cstdlib>

#include "CommissionSettings.h"
#include "PageView.h"
#include "PreviewWindow.h"
#include "ProductLookups.h"
#include "ProposalAssembly.h"
#include "RelayExchange.h"
#include "SampleCase.h"
#include "TestSupport.h"
#include "UserSettings.h"
#include "WindowContext.h"

using namespace quoravel;

namespace {

const std::string kProgramFolder = QUORAVEL_PROGRAM_DIR;

// No box may come up while measuring: one that does ends the run with its text.
class NoDialogs final : public UserDialogs {
public:
    std::string shown;
    bool Ask(QWidget*, const std::string&, const std::string& text, MessageButtons, MessageIcon) override {
        shown = text;
        return false;
    }
    SaveAnswer AskToSave(QWidget*, const std::string&, const std::string& text) override {
        shown = text;
        return SaveAnswer::Cancel;
    }
    std::optional<std::string> Input(QWidget*, const std::string&, const std::string&, bool) override {
        return {};
    }
    std::string OpenFileName(QWidget*, const std::string&, const std::string&, const std::string&) override {
        return {};
    }

protected:
    std::string ChooseSaveFile(QWidget*, const std::string&, const std::string&, const std::string&,
                               const std::string&) override {
        return {};
    }
};

struct Session {
    Session() {
        process.ProgramFolder = kProgramFolder;
        process.VersionText = "V1.0";
    }
    bool MakeProposal() {
        ClientCase client = SampleProposalCase();
        PrintSurface surface;
        ProposalRun run(process, relay.folder());
        if (!CreateIllustration(surface, client, commission, run)) return false;
        WriteRelayAnswer(run);
        return true;
    }
    // The window as View shows it, with the proposal loaded.
    std::unique_ptr<PreviewWindow> Show() {
        auto window = std::make_unique<PreviewWindow>(context);
        window->resize(1000, 760);
        window->show();
        if (!window->Load(relay.folder())) window.reset();
        return window;
    }

    TempFolder relay;
    ProcessValues process;
    UserSettings settings;
    NoDialogs dialogs;
    WindowContext context{process, settings, dialogs};
    CommissionSettings commission{kProgramFolder};
};

QImage PaintShownPages(PreviewWindow& window) { return window.View()->viewport()->grab().toImage(); }

// Fifteen runs of which the median is the figure.
void Repeated(benchmark::internal::Benchmark* bench) {
    bench->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);
}

// Whether the painted view holds text: a blank page would be measured as quick.
bool HasInk(const QImage& image) {
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 64;
    return dark > 500;
}

void BM_ViewToFirstPage(benchmark::State& state) {
    Session session;
    QImage painted;
    for (auto _ : state) {
        if (!session.MakeProposal()) return state.SkipWithError("no proposal was made");
        auto window = session.Show();
        if (!window) return state.SkipWithError(session.dialogs.shown.c_str());
        painted = PaintShownPages(*window);
    }
    if (!HasInk(painted)) state.SkipWithError("nothing was painted");
}
BENCHMARK(BM_ViewToFirstPage)->Iterations(1)->Apply(Repeated);

void BM_LoadToFirstPage(benchmark::State& state) {
    Session session;
    if (!session.MakeProposal()) return state.SkipWithError("no proposal was made");
    QImage painted;
    for (auto _ : state) {
        auto window = session.Show();
        if (!window) return state.SkipWithError(session.dialogs.shown.c_str());
        painted = PaintShownPages(*window);
    }
    if (!HasInk(painted)) state.SkipWithError("nothing was painted");
}
BENCHMARK(BM_LoadToFirstPage)->Iterations(1)->Apply(Repeated);

void BM_NextPage(benchmark::State& state) {
    Session session;
    if (!session.MakeProposal()) return state.SkipWithError("no proposal was made");
    auto window = session.Show();
    if (!window) return state.SkipWithError(session.dialogs.shown.c_str());
    const int pages = window->View()->PageCount();
    QImage painted;
    for (auto _ : state) {
        window->ShowPage(window->CurrentPage() % pages + 1);
        painted = PaintShownPages(*window);
    }
    if (!HasInk(painted)) state.SkipWithError("nothing was painted");
}
BENCHMARK(BM_NextPage)->Iterations(20)->Apply(Repeated);

void BM_ZoomStep(benchmark::State& state) {
    Session session;
    if (!session.MakeProposal()) return state.SkipWithError("no proposal was made");
    auto window = session.Show();
    if (!window) return state.SkipWithError(session.dialogs.shown.c_str());
    window->View()->SetZoom(100);
    bool in = true;
    QImage painted;
    for (auto _ : state) {
        if (in)
            window->View()->ZoomIn();
        else
            window->View()->ZoomOut();
        in = !in;
        painted = PaintShownPages(*window);
    }
    if (!HasInk(painted)) state.SkipWithError("nothing was painted");
}
BENCHMARK(BM_ZoomStep)->Iterations(20)->Apply(Repeated);

}  // namespace

int main(int argc, char** argv) {
    // Widgets need an application, which needs no display here.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The per-user store goes to a scratch folder, never the user's own.
    TempFolder userSettings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromStdString(userSettings.folder()));
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
