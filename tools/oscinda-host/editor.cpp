#include "tools/oscinda-host/editor.h"

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tools/oscinda-host/editor_window.h"
#include "tools/oscinda-host/pending_file.h"
#include "tools/oscinda-host/plugin.h"
#include "tools/oscinda-host/rgb_image.h"
#include "tools/oscinda-host/tool_error.h"
#include "tools/oscinda-host/xvfb_server.h"

namespace {

// The server the tool starts has room for any editor of sane size.
constexpr const char* kOwnScreen = "2560x1600x24";
// Idle calls before the picture: a plug-in may draw only when idle comes,
// and its requests travel on a connection of its own that the server reads
// when it gets to it, so each round also gives the server a moment.
constexpr int kSettleRounds = 6;
constexpr auto kSettlePause = std::chrono::milliseconds(15);
// Hosts idle editors 10 to 25 times a second; a person gets the fast end.
constexpr auto kShowIdlePeriod = std::chrono::milliseconds(40);

bool hasDisplay() {
    const char* name = std::getenv("DISPLAY");
    return name != nullptr && *name != '\0';
}

std::string editorTitle(Plugin& plugin) {
    const std::string name = plugin.text(effGetEffectName);
    if (!name.empty()) return name;
    const std::size_t slash = plugin.path().rfind('/');
    return slash == std::string::npos ? plugin.path() : plugin.path().substr(slash + 1);
}

// The editor's rectangle, or 0 x 0 when the plug-in gives none.
struct EditorSize {
    int width = 0;
    int height = 0;
    bool usable() const { return width > 0 && height > 0 && width <= kMaxEditorSide && height <= kMaxEditorSide; }
    bool operator!=(const EditorSize& other) const { return width != other.width || height != other.height; }
};

EditorSize editorSize(Plugin& plugin) {
    ERect* rect = nullptr;
    plugin.dispatch(effEditGetRect, 0, 0, &rect);
    if (rect == nullptr) return {};
    return {rect->right - rect->left, rect->bottom - rect->top};
}

void applySettings(Plugin& plugin, const EditorOptions& options) {
    if (options.program >= plugin.numPrograms())
        throw ToolError("program " + std::to_string(options.program) + " is out of range (plug-in has " +
                        std::to_string(plugin.numPrograms()) + " programs" +
                        (plugin.numPrograms() > 0 ? ": 0.." + std::to_string(plugin.numPrograms() - 1) : "") + ")");
    std::vector<VstInt32> indices;
    for (const ParameterSetting& setting : options.settings) indices.push_back(plugin.findParameter(setting.parameter));
    if (options.program >= 0) plugin.setProgram(options.program);
    for (std::size_t i = 0; i < options.settings.size(); ++i)
        plugin.setParameter(indices[i], static_cast<float>(options.settings[i].value));
}

// effEditOpen on construction, effEditClose on every way out.
class OpenEditor {
public:
    OpenEditor(Plugin& plugin, EditorWindow& window) : plugin_(plugin) {
        // The Display pointer rides along in value, as Linux hosts pass it.
        const VstIntPtr opened = plugin_.dispatch(effEditOpen, 0, reinterpret_cast<VstIntPtr>(window.display()),
                                                  reinterpret_cast<void*>(window.window()));
        if (opened == 0) throw ToolError("plug-in '" + plugin.path() + "' did not open its editor");
    }
    ~OpenEditor() { plugin_.dispatch(effEditClose); }
    OpenEditor(const OpenEditor&) = delete;
    OpenEditor& operator=(const OpenEditor&) = delete;

private:
    Plugin& plugin_;
};

}  // namespace

void runEditor(const EditorOptions& options) {
    if (options.show && !hasDisplay())
        throw ToolError("--show needs a display to show the window on: DISPLAY is not set");
    // Started before the plug-in is loaded (a plug-in may look for its display
    // early) and stopped after it is gone (its connection must close first).
    std::unique_ptr<XvfbServer> server;
    if (!hasDisplay()) {
        server = std::make_unique<XvfbServer>(kOwnScreen);
        setenv("DISPLAY", server->displayName().c_str(), 1);
    }

    Plugin plugin(options.plugin);
    if ((plugin.record().flags & effFlagsHasEditor) == 0)
        throw ToolError("plug-in '" + options.plugin + "' has no editor");
    applySettings(plugin, options);
    EditorSize size = editorSize(plugin);
    if (!size.usable())
        throw ToolError("plug-in '" + options.plugin + "' reports an editor of " + std::to_string(size.width) + " x " +
                        std::to_string(size.height) + " pixels");

    EditorWindow window(size.width, size.height, editorTitle(plugin));
    OpenEditor editor(plugin, window);
    // Some editors know their size only once open.
    const EditorSize opened = editorSize(plugin);
    if (opened.usable() && opened != size) {
        size = opened;
        window.resize(size.width, size.height);
    }
    for (int round = 0; round < kSettleRounds; ++round) {
        window.closeRequested();
        plugin.dispatch(effEditIdle);
        window.sync();
        std::this_thread::sleep_for(kSettlePause);
    }

    const RgbImage picture = window.capture();
    PendingFile output(options.picture);
    writePng(output.takeDescriptor(), picture, options.picture);
    output.commit();

    if (!options.show) return;
    while (!window.closeRequested()) {
        const auto next = std::chrono::steady_clock::now() + kShowIdlePeriod;
        plugin.dispatch(effEditIdle);
        window.sync();
        std::this_thread::sleep_until(next);
    }
}
