#include "shell/session/startup_core.h"

namespace qb {
namespace {

StoredRect Make(int a, int b, int c, int d) {
    StoredRect r;
    r.a = a;
    r.b = b;
    r.c = c;
    r.d = d;
    return r;
}

ChildPlace Place(int x, int y, int width, int height) {
    ChildPlace p;
    p.x = x;
    p.y = y;
    p.width = width;
    p.height = height;
    return p;
}

}  // namespace

StoredRect DefaultMainRect(int maxWidth, int maxHeight) {
    return Make(0, 0, maxWidth - 7, 2 * (maxHeight / 3));
}

StoredRect DefaultTextPaneRect(int maxWidth, int maxHeight) {
    return Make(0, 2 * (maxHeight / 3), maxWidth / 2, maxHeight / 3);
}

StoredRect DefaultPicturePaneRect(int maxWidth, int maxHeight) {
    return Make(maxWidth / 2, 2 * (maxHeight / 3), maxWidth / 2, maxHeight / 3);
}

ChildPlace QuestionListPlace(int clientWidth, int clientHeight, const DisplayScale& scale) {
    (void)clientWidth;
    return Place(scale.Pixels(10), scale.Pixels(40), scale.Pixels(150), clientHeight - scale.Pixels(70));
}

ChildPlace TestPanePlace(int clientWidth, int clientHeight, const DisplayScale& scale) {
    const int left = scale.Pixels(169);
    return Place(left, scale.Pixels(30), clientWidth - left, clientHeight - scale.Pixels(53));
}

StatusPartEdges StatusParts(int clientWidth) {
    StatusPartEdges parts;
    parts.edges[0] = clientWidth / 3;
    parts.edges[1] = 2 * (clientWidth / 3);
    parts.edges[2] = -1;
    return parts;
}

bool TakeCommandLinePath(const std::string& commandLine, std::string& path) {
    path.clear();
    if (commandLine.empty()) return false;
    std::string text = commandLine;
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
    if (text.size() < kPathBufferSize) path = text;
    return true;
}

std::string DocumentTitle(const std::string& programTitle, const std::string& path) {
    if (path.empty()) return programTitle;
    return programTitle + ": " + path;
}

std::string FitPathBuffer(const std::string& path) {
    return path.substr(0, kPathBufferSize - 1);
}

std::string WebPageFileFilter() {
    static const char kFilter[] = "Web pages (*.html)\0*.html\0All Files (*.*)\0*.*\0";
    return std::string(kFilter, sizeof kFilter);
}

std::string ImportTableFilter() {
    static const char kFilter[] = "Tables (*.csv;*.tsv;*.txt)\0*.csv;*.tsv;*.txt\0All Files (*.*)\0*.*\0";
    return std::string(kFilter, sizeof kFilter);
}

std::string ExportTableFilter() {
    static const char kFilter[] = "Comma-separated tables (*.csv)\0*.csv\0Tab-separated tables (*.txt)\0*.txt\0";
    return std::string(kFilter, sizeof kFilter);
}

}  // namespace qb
