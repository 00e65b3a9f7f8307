// A program's start as the user sees it: from the launch to its first window (not a splash
// picture) mapped on the X display, and the memory it holds at that moment. The designer and the
// player are measured beside a bare Qt Widgets window in the same run, so the figures can be
// compared on a machine whose load changes from run to run. Needs an X display: run it as
// `xvfb-run -a build/bin/bench_startup`.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>
#include <benchmark/benchmark.h>
#include <chrono>
#include <csignal>
#include <cstring>
#include <memory>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>
#include <xcb/xcb.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kLongestStart = std::chrono::seconds(20);

// The display, watched for every window mapped on it.
class Display {
public:
    Display()
        : m_connection(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(m_connection))
            return;
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        m_type = atom("_NET_WM_WINDOW_TYPE");
        m_splash = atom("_NET_WM_WINDOW_TYPE_SPLASH");
        xcb_flush(m_connection);
    }
    ~Display() { xcb_disconnect(m_connection); }
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    bool usable() const { return !xcb_connection_has_error(m_connection); }

    // Waits for a window other than a splash picture to be mapped; false after kLongestStart.
    bool waitForWindow(Clock::time_point started) {
        for (;;) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
                const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
                const xcb_window_t window =
                    reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
                std::free(event);
                if (mapped && !isSplash(window))
                    return true;
            }
            const auto left = kLongestStart - (Clock::now() - started);
            if (left <= Clock::duration::zero())
                return false;
            pollfd wait{xcb_get_file_descriptor(m_connection), POLLIN, 0};
            poll(&wait, 1,
                 int(std::chrono::duration_cast<std::chrono::milliseconds>(left).count()) + 1);
        }
    }

    // Takes whatever is still queued, so the next start begins with a quiet display.
    void drain() {
        xcb_flush(m_connection);
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection))
            std::free(event);
    }

private:
    xcb_atom_t atom(const char* name) {
        auto* reply = xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, 0, std::strlen(name), name), nullptr);
        const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return result;
    }

    bool isSplash(xcb_window_t window) {
        auto* reply = xcb_get_property_reply(
            m_connection, xcb_get_property(m_connection, 0, window, m_type, XCB_ATOM_ATOM, 0, 16),
            nullptr);
        bool splash = false;
        if (reply) {
            const auto* types = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
            const int count = xcb_get_property_value_length(reply) / int(sizeof(xcb_atom_t));
            for (int i = 0; i < count; ++i)
                splash = splash || types[i] == m_splash;
        }
        std::free(reply);
        return splash;
    }

    xcb_connection_t* m_connection;
    xcb_window_t m_root = 0;
    xcb_atom_t m_type = XCB_ATOM_NONE;
    xcb_atom_t m_splash = XCB_ATOM_NONE;
};

// The resident memory of a running process, in MiB.
double residentMiB(pid_t pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

// Every run gets the same fresh settings and data folders, so no earlier session changes what the
// start does; the program runs on the display the bench watches.
std::vector<std::string> environmentFor(const QTemporaryDir& home) {
    std::vector<std::string> variables;
    for (char** variable = environ; *variable; ++variable) {
        const std::string text(*variable);
        if (text.rfind("HOME=", 0) != 0 && text.rfind("XDG_", 0) != 0 &&
            text.rfind("QT_QPA_PLATFORM=", 0) != 0)
            variables.push_back(text);
    }
    const std::string folder = home.path().toStdString();
    variables.push_back("HOME=" + folder);
    variables.push_back("XDG_CONFIG_HOME=" + folder + "/config");
    variables.push_back("XDG_DATA_HOME=" + folder + "/data");
    variables.push_back("XDG_CACHE_HOME=" + folder + "/cache");
    variables.push_back("QT_QPA_PLATFORM=xcb");
    return variables;
}

// One connection for the whole run: the display may take only a few clients.
Display& theDisplay() {
    static Display display;
    return display;
}

void startToFirstWindow(benchmark::State& state, std::vector<std::string> command) {
    Display& display = theDisplay();
    if (!display.usable()) {
        state.SkipWithError("no X display: run under xvfb-run -a");
        return;
    }
    QTemporaryDir home;
    const std::vector<std::string> variables = environmentFor(home);
    std::vector<char*> environment;
    for (const std::string& variable : variables)
        environment.push_back(const_cast<char*>(variable.c_str()));
    environment.push_back(nullptr);
    std::vector<char*> arguments;
    for (std::string& argument : command)
        arguments.push_back(argument.data());
    arguments.push_back(nullptr);

    double memory = 0;
    for (auto _ : state) {
        display.drain();
        pid_t pid = 0;
        const auto started = Clock::now();
        if (posix_spawn(&pid, arguments[0], nullptr, nullptr, arguments.data(),
                        environment.data()) != 0) {
            state.SkipWithError("the program could not be started");
            return;
        }
        const bool shown = display.waitForWindow(started);
        const auto elapsed = Clock::now() - started;
        memory += residentMiB(pid);
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        if (!shown) {
            state.SkipWithError("no window was shown");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(elapsed).count());
    }
    state.counters["MiB"] = benchmark::Counter(memory, benchmark::Counter::kAvgIterations);
}

void bareWindow(benchmark::State& state) {
    startToFirstWindow(state, {TIVORA_BARE_WINDOW});
}

void designer(benchmark::State& state, const std::string& folder) {
    startToFirstWindow(state, {folder + "/tivora-designer"});
}

void player(benchmark::State& state, const std::string& folder) {
    startToFirstWindow(state, {folder + "/tivora-player", folder + "/Data/Tivorav32.swf"});
}

void addProgramBenchmarks(const std::string& name, const std::string& folder) {
    for (auto* bench : {benchmark::RegisterBenchmark(("designer" + name).c_str(), designer, folder),
                        benchmark::RegisterBenchmark(("player" + name).c_str(), player, folder)})
        bench->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
}

} // namespace

BENCHMARK(bareWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// The programs of another build laid out in the folder TIVORA_STARTUP_PROGRAMS names (an earlier
// version, say) are measured in the same run as this build's, as designerOther and playerOther.
int main(int argc, char** argv) {
    addProgramBenchmarks("", TIVORA_PROGRAM_DIR);
    const QByteArray other = qgetenv("TIVORA_STARTUP_PROGRAMS");
    if (!other.isEmpty())
        addProgramBenchmarks("Other", other.toStdString());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
