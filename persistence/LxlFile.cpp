// The sample-line XML file: root "Nodes", one "Node" per component holding
// "LineName" and the 28 stored fields as element texts.
#include "persistence/FileIo.h"
#include "persistence/LineFile.h"
#include "persistence/RecordFields.h"

#include "model/CreateComp.h"

#include <pugixml.hpp>

#include <sstream>

namespace {

constexpr const char* RootName = "Nodes";
constexpr const char* NodeName = "Node";
constexpr const char* LineNameElement = "LineName";

std::string ComponentPrefix(std::size_t index, std::string_view element) {
    return "Component " + std::to_string(index + 1) + ", element \"" + std::string(element) + "\": ";
}

}  // namespace

std::variant<std::string, FileError> BuildLxlText(const LodoList& list,
                                                  const std::string& lineName) {
    pugi::xml_document doc;
    auto decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "utf-8";
    if (lineName.find('\0') != std::string::npos)
        return FileError{"The line name holds a NUL character, which a file cannot store"};
    auto root = doc.append_child(RootName);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const TLodoComp& c = list[i];
        auto node = root.append_child(NodeName);
        node.append_child(LineNameElement).text().set(lineName.c_str());
        for (const auto& f : RecordFields::All) {
            if (RecordFields::IsUnstorable(c, f))
                return FileError{ComponentPrefix(i, f.Name) + "the value is not a finite number"};
            const std::string text = RecordFields::Format(c, f);
            if (text.find('\0') != std::string::npos)
                return FileError{ComponentPrefix(i, f.Name) + "the text holds a NUL character, which a file cannot store"};
            auto el = node.append_child(std::string(f.Name).c_str());
            if (!text.empty()) el.text().set(text.c_str());
        }
    }
    std::ostringstream out;
    doc.save(out, "  ", pugi::format_indent, pugi::encoding_utf8);
    return std::move(out).str();
}

std::optional<FileError> WriteLxlFile(const std::filesystem::path& path, const LodoList& list,
                                      const std::string& lineName) {
    auto text = BuildLxlText(list, lineName);
    if (auto* e = std::get_if<FileError>(&text)) return *e;
    return FileIo::WriteFileAtomically(path, std::get<std::string>(text));
}

ReadResult ReadLxlText(std::string_view text, const EvalContext& defaults) {
    pugi::xml_document doc;
    // Keep a text made only of blanks: it is a stored string like any other.
    const auto parsed = doc.load_buffer(text.data(), text.size(),
                                        pugi::parse_default | pugi::parse_ws_pcdata_single);
    if (!parsed)
        return FileError{"Not a well-formed XML file: " + std::string(parsed.description()) +
                         " at byte " + std::to_string(parsed.offset)};
    const auto root = doc.document_element();
    if (std::string_view(root.name()) != RootName)
        return FileError{"Not a sample-line file: the root element is \"" + std::string(root.name()) +
                         "\", not \"Nodes\""};

    LineFile file;
    for (const auto& node : root.children(NodeName)) {
        const std::size_t index = file.List.size();
        TLodoComp c = CreateComp(defaults);
        file.LineName = node.child(LineNameElement).text().get();
        for (const auto& f : RecordFields::All) {
            const auto el = node.child(std::string(f.Name).c_str());
            // A line written before the length unit was stored keeps the default one.
            if (!el && f.Name == "LenUnit") continue;
            if (auto error = RecordFields::Set(c, f, el.text().get()))
                return FileError{ComponentPrefix(index, f.Name) + *error};
        }
        if (auto error = RecordFields::CheckProbeModel(c))
            return FileError{ComponentPrefix(index, "NType") + *error};
        file.List.push_back(std::move(c));
    }
    RaiseNameCounters(file.List, file.Counters);
    return file;
}

ReadResult ReadLxlFile(const std::filesystem::path& path, const EvalContext& defaults) {
    auto bytes = FileIo::ReadWholeFile(path);
    if (auto* e = std::get_if<FileError>(&bytes)) return *e;
    return ReadLxlText(std::get<std::string>(bytes), defaults);
}
