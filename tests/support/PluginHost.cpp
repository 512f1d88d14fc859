#include "tests/support/PluginHost.h"

#include "host/shell/HostShell.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ProcessRun.h"

#include <algorithm>
#include <sstream>

namespace testsupport {
const std::string kCleanAccounting =
    "stopped; plug-in objects alive: 0, host references held by the plug-in: 0\n";

std::string RunZeltHost(const std::string& arguments, const std::string& input, int* exitCode) {
    return RunProcess(std::string(VESK_HOST_PATH) + " " + arguments, input, exitCode);
}

std::string MarkText(int category) {
    const std::string tag = "MYUNIQUETAG" + std::to_string(category);
    return "<a href= \\\"" + tag + "\\\"><img id=\\\"" + tag + "\\\" src=\\\"" + tag +
           "\\\" align=\\\"middle\\\"></a>";
}

std::string CardText(std::int32_t id, const std::string& name, const FileNote& note) {
    const bool text = !note.text.empty(), marked = !note.categories.empty();
    std::string html = note.text;
    for (std::size_t at; (at = html.find('\n')) != std::string::npos;)
        html.replace(at, 1, "<br/>");
    if (text)
        html = "<p style=\\\"margin-left:5px; margin-top:5px; margin-right:5px; margin-bottom:5px; "
               "\\\"><strong>" +
               html + "</strong></p>";
    std::string marks;
    for (int c : note.categories)
        marks += MarkText(c);
    if (marked) marks += " ";
    const auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
    std::string card = "card " + std::to_string(id) + " \"" + name + "\"\nnote: \"" + html + "\"\nmarks: \"" +
                       marks + "\"\n";
    card += text ? "button addNode caption=\"Edit note\" tooltip=\"Edit note in the card\""
                 : "button addNode caption=\"Add note\" tooltip=\"Add note to card\"";
    card +=
        " enabled=1 checked=0 placement=\"MY02notesgroup:1\"\n"
        "button deleteCategory caption=\"Delete all note categories\" tooltip=\"Delete all note categories "
        "from card\" enabled=" +
        flag(marked) +
        " checked=0 placement=\"MY02notesgroup:2\"\n"
        "button deleteNode caption=\"Delete note\" tooltip=\"Delete note from card\" enabled=" +
        flag(text) +
        " checked=0 placement=\"MY02notesgroup:3\"\nsubmenu \"Select note category\" "
        "placement=\"MY02notesgroup:0\"\n";
    for (int i = 0; i < 18; ++i) {
        const bool on = std::find(note.categories.begin(), note.categories.end(), i) != note.categories.end();
        card += "item addCategory" + std::to_string(i) + " caption=\"" + DefaultCategoryNames()[i] +
                "\" enabled=1 checked=" + flag(on) + "\n";
    }
    return card;
}

std::string MessageText(const std::string& text, const std::string& caption, const std::string& buttons,
                        const std::string& icon) {
    return "message \"" + text + "\" caption=\"" + caption + "\" buttons=" + buttons + " icon=" + icon + "\n";
}

std::size_t Occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

std::vector<std::vector<std::string>> MarkedBlocks(const std::string& out) {
    std::vector<std::vector<std::string>> maps;
    std::istringstream lines(out);
    bool inMap = false;
    for (std::string line; std::getline(lines, line);) {
        const bool block = line.starts_with("block ");
        if (block && !inMap) maps.emplace_back();
        inMap = block;
        if (block && !line.ends_with(":")) maps.back().push_back(line);
    }
    return maps;
}

PluginHostTest::~PluginHostTest() {
    zelt_.reset();
}

void PluginHostTest::WriteNotes(const FileNotes& notes, const std::vector<std::string>& names,
                                const std::string& city, const std::string& stem) {
    zelt_.reset();
    std::filesystem::remove_all(AppData());
    WriteFile(NotesFile(stem), NotesXml(notes, city, names));
}

host::ZeltHost& PluginHostTest::Load(LANGID language, const std::string& city) {
    zelt_.reset();
    zelt_ = std::make_unique<host::ZeltHost>(
        host::ZeltHost::Options{VESK_PLUGIN_PATH, language, city, AppData().string()});
    zelt_->Load();
    return *zelt_;
}

host::ZeltHost& PluginHostTest::Start(LANGID language, const std::string& city) {
    EXPECT_EQ(Load(language, city).Start(), S_OK);
    return *zelt_;
}

host::ZeltHost& PluginHostTest::Start(const FileNotes& notes) {
    WriteNotes(notes);
    return Start();
}

std::string PluginHostTest::Run(const std::string& commands) {
    std::istringstream in(commands);
    std::ostringstream out;
    const int status = host::HostShell(*zelt_, out).Run(in, false);
    EXPECT_EQ(status, 0) << "the plug-in left something behind: "
                         << out.str().substr(out.str().rfind("stopped"));
    return out.str();
}

std::string PluginHostTest::RunHost(const std::string& arguments, const std::string& input,
                                    int* exitCode) const {
    return RunZeltHost("--appdata " + AppData().string() + " --lang 1033 --city " + TestfordPath() + " " +
                           arguments,
                       input, exitCode);
}

std::filesystem::path PluginHostTest::NotesFile(const std::string& stem) const {
    return AppData() / "Zelt" / "DirNotes" / ("Data_" + stem + ".xml");
}
} // namespace testsupport
