// Lumapane, the demo product: one small window. For unattended runs it closes
// itself after --close-after=<ms> or LUMAPANE_DEMO_CLOSE_AFTER_MS, and every
// start is recorded in the product data folder once the window is on screen.
#include <gtk/gtk.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "DemoPaths.h"

namespace {

constexpr const char* kVersion = "2.3.0";
constexpr const char* kCloseAfterEnv = "LUMAPANE_DEMO_CLOSE_AFTER_MS";

struct ProductState {
    guint closeAfterMs = 0;
    bool recorded = false;
};

std::filesystem::path OwnPath() {
    std::error_code ec;
    auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : p;
}

void RecordStart() {
    std::error_code ec;
    auto folder = demo::ProductDataFolder();
    std::filesystem::create_directories(folder, ec);
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    std::ofstream log(folder / demo::kRunLogFile, std::ios::app);
    log << stamp << " started pid=" << getpid() << " exe=" << OwnPath().string() << "\n";
}

gboolean OnMapped(GtkWidget*, GdkEvent*, gpointer data) {
    auto* state = static_cast<ProductState*>(data);
    if (!state->recorded) {
        state->recorded = true;
        RecordStart();
        std::printf("Lumapane %s: window shown\n", kVersion);
        std::fflush(stdout);
        if (state->closeAfterMs > 0)
            g_timeout_add(state->closeAfterMs, [](gpointer) -> gboolean {
                gtk_main_quit();
                return G_SOURCE_REMOVE;
            }, nullptr);
    }
    return FALSE;
}

bool ParseMs(const char* text, guint* out) {
    char* end = nullptr;
    unsigned long v = std::strtoul(text, &end, 10);
    if (!text[0] || *end || v > 86400000UL)
        return false;
    *out = static_cast<guint>(v);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    ProductState state;
    if (const char* env = std::getenv(kCloseAfterEnv); env && !ParseMs(env, &state.closeAfterMs))
        std::fprintf(stderr, "lumapane: ignoring %s=%s\n", kCloseAfterEnv, env);
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--version") {
            std::printf("Lumapane %s\n", kVersion);
            return 0;
        }
        if (arg.rfind("--close-after=", 0) == 0 && ParseMs(argv[i] + 14, &state.closeAfterMs))
            continue;
        std::fprintf(stderr, "usage: lumapane.exe [--close-after=<ms>] [--version]\n");
        return 2;
    }
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "lumapane: cannot open a display\n");
        return 1;
    }

    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), "Lumapane");
    gtk_window_set_default_size(GTK_WINDOW(window), 420, 220);
    gtk_window_set_position(GTK_WINDOW(window), GTK_WIN_POS_CENTER);
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 12);
    gtk_container_set_border_width(GTK_CONTAINER(box), 24);
    std::string title = std::string("<span size='x-large' weight='bold'>Lumapane ") + kVersion + "</span>";
    GtkWidget* heading = gtk_label_new(nullptr);
    gtk_label_set_markup(GTK_LABEL(heading), title.c_str());
    std::string where = "安装位置：" + OwnPath().parent_path().string();
    GtkWidget* folder = gtk_label_new(where.c_str());
    gtk_label_set_selectable(GTK_LABEL(folder), TRUE);
    GtkWidget* close = gtk_button_new_with_label("关闭");
    gtk_box_pack_start(GTK_BOX(box), heading, TRUE, TRUE, 0);
    gtk_box_pack_start(GTK_BOX(box), folder, FALSE, FALSE, 0);
    gtk_box_pack_end(GTK_BOX(box), close, FALSE, FALSE, 0);
    gtk_container_add(GTK_CONTAINER(window), box);

    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    g_signal_connect(window, "map-event", G_CALLBACK(OnMapped), &state);
    g_signal_connect_swapped(close, "clicked", G_CALLBACK(gtk_widget_destroy), window);
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
}
