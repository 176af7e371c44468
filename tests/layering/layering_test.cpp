// Every source file's includes against the layer table: a layer includes its own headers,
// those of the layers it may use (and of what those may use), and only the outside libraries
// it wraps. The shared include root would let any include build, so this is the check.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct LayerRule {
    std::vector<std::string> uses;       // layers, direct; what they use is allowed as well
    std::vector<std::string> libraries;  // outside libraries its files may include
};

const std::map<std::string, LayerRule>& Table() {
    static const std::map<std::string, LayerRule> table = {
        {"text", {{}, {}}},
        {"shell", {{}, {}}},
        {"fileio", {{}, {}}},  // file names and the atomic writer, for every layer that saves
        {"rm", {{}, {}}},
        {"xfile", {{"rm", "fileio"}, {"zlib"}}},
        {"image", {{"fileio"}, {"libjpeg", "libpng"}}},
        {"interchange", {{"rm", "fileio"}, {"tinygltf", "tinyobjloader"}}},
        {"model", {{"text", "shell", "fileio"}, {}}},
        {"viewport", {{"model", "rm", "xfile", "image", "interchange"}, {}}},
        {"qt", {{"shell"}, {"Qt"}}},
        // The modeller's logic without widgets (operations, dialog records and their checks,
        // the field exchange, the settings table): the window and the tools run the same code.
        {"modeller_logic",
         {{"text", "shell", "fileio", "rm", "xfile", "image", "model", "viewport"}, {}}},
        {"modeller",
         {{"text", "shell", "rm", "xfile", "image", "model", "viewport", "qt", "modeller_logic"},
          {"Qt"}}},
        // The scene and its rendering stay without Qt: mokkel-tool uses them.
        {"studio_scene",
         {{"text", "shell", "fileio", "rm", "xfile", "image", "interchange", "model", "viewport"},
          {}}},
        {"studio_render", {{"studio_scene"}, {}}},
        // Linked sets, sliders and joint edits: shared by the view, the dialogs and the tool.
        {"studio_joints", {{"studio_scene", "rm", "model"}, {}}},
        // The view's mouse arithmetic, tested without a window.
        {"studio_mouse", {{"studio_scene", "studio_render", "studio_joints"}, {}}},
        {"studio",
         {{"text", "shell", "rm", "xfile", "image", "model", "viewport", "qt", "studio_scene",
           "studio_render", "studio_joints", "studio_mouse"},
          {"Qt"}}},
        {"tools",
         {{"model", "viewport", "text", "shell", "rm", "xfile", "image", "modeller_logic",
           "studio_scene", "studio_render", "studio_joints"},
          {"CLI11"}}},
    };
    return table;
}

// The layer a path (relative to the source root, '/' separated) belongs to; "any" for tests
// and benchmarks, nothing for files outside the layers.
std::optional<std::string> LayerOf(const std::string& path) {
    static const std::pair<const char*, const char*> prefixes[] = {
        {"platform/text/", "text"},
        {"platform/fileio/", "fileio"},
        {"platform/rm/", "rm"},
        {"platform/xfile/", "xfile"},
        {"platform/image/", "image"},
        {"platform/interchange/", "interchange"},
        {"platform/qt/", "qt"},
        {"model/", "model"},
        {"viewport/", "viewport"},
        {"modeller/ops/", "modeller_logic"},
        {"modeller/settings_ops/", "modeller_logic"},
        {"modeller/app/settings.", "modeller_logic"},
        {"modeller/", "modeller"},
        {"studio/scene/", "studio_scene"},
        {"studio/render/", "studio_render"},
        {"studio/joints/", "studio_joints"},
        {"studio/mouse/", "studio_mouse"},
        {"studio/", "studio"},
        {"tools/", "tools"},
        {"tests/", "any"},
        {"bench/", "any"},
    };
    for (const auto& [prefix, layer] : prefixes)
        if (path.rfind(prefix, 0) == 0) return layer;
    // The interfaces of the desktop services sit directly in platform/.
    if (path.rfind("platform/", 0) == 0 && path.find('/', 9) == std::string::npos) return "shell";
    return std::nullopt;
}

// The outside library an angle-bracket include belongs to; empty for the standard and system
// headers every layer may use.
std::string LibraryOf(const std::string& header) {
    if (header.size() > 1 && header[0] == 'Q' &&
        (std::isupper(static_cast<unsigned char>(header[1])) || header.rfind("Qt", 0) == 0))
        return "Qt";
    if (header == "zlib.h" || header == "zconf.h") return "zlib";
    if (header == "jpeglib.h" || header == "jerror.h" || header == "jconfig.h" ||
        header == "jmorecfg.h" || header == "turbojpeg.h")
        return "libjpeg";
    if (header == "png.h" || header == "pngconf.h") return "libpng";
    if (header.rfind("CLI/", 0) == 0) return "CLI11";
    if (header == "tiny_gltf.h") return "tinygltf";
    if (header == "tiny_obj_loader.h") return "tinyobjloader";
    for (const char* p : {"gtest/", "gmock/", "benchmark/", "assimp/"})
        if (header.rfind(p, 0) == 0) return "test tools";
    return {};
}

std::set<std::string> AllowedLayers(const std::string& layer) {
    std::set<std::string> allowed{layer};
    std::vector<std::string> todo{layer};
    while (!todo.empty()) {
        const std::string next = todo.back();
        todo.pop_back();
        for (const std::string& used : Table().at(next).uses)
            if (allowed.insert(used).second) todo.push_back(used);
    }
    return allowed;
}

// The bracket ('<' or '"') and header of an include line; nothing for other lines. Parsed by
// hand: std::regex trips GCC's warnings in sanitizer builds.
std::optional<std::pair<char, std::string>> IncludeOf(const std::string& line) {
    size_t i = line.find_first_not_of(" \t");
    if (i == std::string::npos || line[i] != '#') return std::nullopt;
    i = line.find_first_not_of(" \t", i + 1);
    if (i == std::string::npos || line.compare(i, 7, "include") != 0) return std::nullopt;
    i = line.find_first_not_of(" \t", i + 7);
    if (i == std::string::npos || (line[i] != '<' && line[i] != '"')) return std::nullopt;
    const char open = line[i];
    const size_t end = line.find(open == '<' ? '>' : '"', i + 1);
    if (end == std::string::npos || end == i + 1) return std::nullopt;
    return std::make_pair(open, line.substr(i + 1, end - i - 1));
}

// What is wrong with the includes of one file, one line each.
std::vector<std::string> Violations(const std::string& path, const std::string& text) {
    std::vector<std::string> out;
    const std::optional<std::string> layer = LayerOf(path);
    if (!layer || *layer == "any") return out;
    const std::set<std::string> allowed = AllowedLayers(*layer);
    const LayerRule& rule = Table().at(*layer);
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        const auto include = IncludeOf(line);
        if (!include) continue;
        const std::string& header = include->second;
        const std::string where = path + ":" + std::to_string(number) + ": ";
        if (include->first == '<') {
            const std::string library = LibraryOf(header);
            if (!library.empty() && std::find(rule.libraries.begin(), rule.libraries.end(),
                                              library) == rule.libraries.end())
                out.push_back(where + *layer + " may not include " + library + " <" + header + ">");
            continue;
        }
        // A name without a folder is beside the including file.
        const std::string resolved =
            header.find('/') == std::string::npos
                ? fs::path(path).parent_path().append(header).generic_string()
                : header;
        const std::optional<std::string> target = LayerOf(resolved);
        if (!target || *target == "any" || !allowed.count(*target))
            out.push_back(where + *layer + " may not include \"" + header + "\" (" +
                          target.value_or("no layer") + ")");
    }
    return out;
}

TEST(Layering, TheRulesRefuseWhatTheTableForbids) {
    struct Case {
        const char* path;
        const char* text;
        bool ok;
    };
    const Case cases[] = {
        {"viewport/pick.cpp", "#include \"model/sheet.h\"\n#include \"platform/text/cp932.h\"",
         true},
        {"viewport/pick.cpp", "#include \"modeller/app/settings.h\"", false},  // upward
        {"platform/rm/frame.cpp", "#include \"platform/shell.h\"", false},     // sideways
        {"platform/qt/qt_prompt.cpp", "#  include \"platform/text/cp932.h\"", false},
        {"studio/app/a.cpp", "#include \"modeller/view/edit_screen.h\"", false},
        {"studio/scene/a.cpp", "#include <QString>", false},  // the scene stays without Qt
        {"studio/render/a.cpp", "#include \"platform/qt/qt_prompt.h\"", false},
        {"studio/mouse/a.cpp", "#include <QPoint>", false},
        {"studio/render/a.cpp", "#include \"studio/mouse/object_drag.h\"", false},
        {"tools/a.cpp", "#include \"studio/render/studio_render.h\"", true},
        {"tools/mokkel_tool.cpp", "#include \"platform/qt/qt_prompt.h\"", false},
        {"tools/cli/a.cpp", "#include \"modeller/ops/plane_figure.h\"", true},
        {"tools/cli/a.cpp", "#include \"modeller/dialogs/ops_dialog.h\"", false},
        {"model/sheet.cpp", "#include <QString>", false},  // Qt outside the Qt layers
        {"viewport/a.cpp", "#include <zlib.h>", false},    // zlib belongs to xfile
        {"platform/xfile/a.cpp", "#include <zlib.h>\n#include <sys/stat.h>", true},
        {"modeller/view/a.cpp", "#include <QWidget>\n#include \"platform/qt/qt_prompt.h\"", true},
        {"model/a.cpp", "#include \"tests/support/temp_dir.h\"", false},
        {"platform/rm/a.cpp", "#include \"texture.h\"", true},  // beside it
        {"tests/model/a.cpp", "#include \"modeller/app/settings.h\"\n#include <QString>", true},
        {"tools/cli/a.cpp",
         "#include \"modeller/ops/extrusion.h\"\n#include \"platform/field_exchange.h\"", true},
        {"tools/cli/a.cpp", "#include \"modeller/dialogs/extrusion_dlg.h\"", false},
        {"studio/app/a.cpp", "#include \"platform/qt/colour_picker.h\"", true},  // shared
        {"modeller/ops/a.cpp", "#include <QString>", false},  // the operations stay Qt-free
        {"modeller/ops/a.cpp", "#include \"modeller/document/model_doc.h\"", false},
        {"modeller/ops/a.cpp", "#include \"modeller/dialogs/ops_dialog.h\"", false},
        {"modeller/settings_ops/a.cpp", "#include <QColor>", false},  // dialog logic is Qt-free
        {"modeller/settings_ops/a.cpp", "#include \"modeller/view/model_view.h\"", false},
        {"modeller/settings_ops/a.cpp",
         "#include \"modeller/app/settings.h\"\n#include \"viewport/render_scene.h\"", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Violations(c.path, c.text).empty(), c.ok) << c.path << ": " << c.text;
}

TEST(Layering, EverySourceFileKeepsToItsLayer) {
    const fs::path root = MOKKEL_SOURCE_DIR;
    size_t files = 0;
    std::vector<std::string> found;
    for (const char* top : {"platform", "model", "viewport", "modeller", "studio", "tools"}) {
        if (!fs::exists(root / top)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(root / top)) {
            const std::string ext = entry.path().extension().string();
            if (!entry.is_regular_file() ||
                (ext != ".h" && ext != ".cpp" && ext != ".hpp" && ext != ".cc"))
                continue;
            std::ifstream in(entry.path(), std::ios::binary);
            std::stringstream text;
            text << in.rdbuf();
            const auto v =
                Violations(fs::relative(entry.path(), root).generic_string(), text.str());
            found.insert(found.end(), v.begin(), v.end());
            ++files;
        }
    }
    EXPECT_GT(files, 100u);  // the scan did see the tree
    for (const std::string& v : found) ADD_FAILURE() << v;
}

}  // namespace
