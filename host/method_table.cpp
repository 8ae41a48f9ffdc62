#include "method_table.h"

#include <sstream>

#include "text_fold.h"

namespace marlowhost {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
bool IsMark(char c) { return c == '/' || c == '+' || c == '*'; }

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    std::istringstream stream(text);
    while (std::getline(stream, line, '\n')) {
        lines.push_back(line);
    }
    return lines;
}

std::string FirstWord(const std::string& line, size_t start) {
    size_t end = start;
    while (end < line.size() && !IsBlank(line[end]) && line[end] != ',') {
        ++end;
    }
    return line.substr(start, end - start);
}

}  // namespace

MethodTable MethodTable::FromRegistrationText(const std::string& text) {
    MethodTable table;
    std::vector<std::string> lines = SplitLines(text);
    size_t first = 0;
    if (!lines.empty()) {
        size_t start = 0;
        while (start < lines[0].size() && IsBlank(lines[0][start])) {
            ++start;
        }
        if (SameName(FirstWord(lines[0], start), "xtra")) {
            size_t name = start + 4;
            while (name < lines[0].size() && IsBlank(lines[0][name])) {
                ++name;
            }
            table.xtraName_ = FirstWord(lines[0], name);
            first = 1;
        }
    }
    for (size_t i = first; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        size_t position = 0;
        while (position < line.size() && IsBlank(line[position])) {
            ++position;
        }
        if (position == line.size() || line.compare(position, 2, "--") == 0) {
            continue;
        }
        DeclaredMethod method;
        method.number = table.Count();
        method.line = line;
        while (position < line.size() && (IsMark(line[position]) || IsBlank(line[position]))) {
            if (IsMark(line[position])) {
                method.marks += line[position];
            }
            ++position;
        }
        method.name = FirstWord(line, position);
        table.methods_.push_back(std::move(method));
    }
    return table;
}

int MethodTable::Find(const std::string& name) const {
    for (const DeclaredMethod& method : methods_) {
        if (SameName(method.name, name)) {
            return method.number;
        }
    }
    return -1;
}

const DeclaredMethod* MethodTable::At(int number) const {
    if (number < 0 || number >= Count()) {
        return nullptr;
    }
    return &methods_[static_cast<size_t>(number)];
}

}  // namespace marlowhost
