// The sample-line XML file: root "Nodes", one "Node" per component holding
// "LineName" and the 28 stored fields as element texts; the first Node also holds
// the line's design case.
#include "model/CreateComp.h"
#include "model/InputRules.h"
#include "model/NumberFormat.h"
#include "model/TextSafety.h"
#include "persistence/DesignElement.h"
#include "persistence/FileIo.h"
#include "persistence/LineFile.h"
#include "persistence/ReaderWarnings.h"
#include "persistence/RecordFields.h"

#include <algorithm>
#include <cmath>
#include <pugixml.hpp>
#include <sstream>

namespace {

constexpr const char* RootName = "Nodes";
constexpr const char* NodeName = "Node";
constexpr const char* LineNameElement = "LineName";
// A tube's or bend's wall temperature, only when it has one: a line without one is
// written exactly as before.
constexpr const char* WallTempElement = "WallTemp";
constexpr const char* WallTempUnitElement = "WallTempUnit";

// "Component 3 (Index 2, T-2), element "Len": ", the Index as the grid shows it.
std::string ElementPrefix(const std::string& label, std::string_view element) {
    return label + ", element \"" + std::string(element) + "\": ";
}

// Where a byte offset lies in the text, as an editor counts: line and column from 1.
std::string LineAndColumn(std::string_view text, std::ptrdiff_t offset) {
    const auto upTo = text.substr(
        0, static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(offset, 0, text.size())));
    const auto line = std::count(upTo.begin(), upTo.end(), '\n') + 1;
    const auto lastBreak = upTo.rfind('\n');
    const auto column = upTo.size() - (lastBreak == std::string_view::npos ? 0 : lastBreak + 1) + 1;
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

} // namespace

std::variant<std::string, FileError> BuildLxlText(const LodoList& list, const std::string& lineName,
                                                  const Design::DesignCase& design) {
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
                return FileError{ElementPrefix(RecordFields::ComponentLabel(i, c.Name), f.Name) +
                                 "the value is not a finite number"};
            const std::string text = RecordFields::Format(c, f, true);
            if (text.find('\0') != std::string::npos)
                return FileError{ElementPrefix(RecordFields::ComponentLabel(i, c.Name), f.Name) +
                                 "the text holds a NUL character, which a file cannot store"};
            auto el = node.append_child(std::string(f.Name).c_str());
            if (!text.empty())
                el.text().set(text.c_str());
        }
        if (c.WallTemp) {
            if (!std::isfinite(*c.WallTemp))
                return FileError{
                    ElementPrefix(RecordFields::ComponentLabel(i, c.Name), WallTempElement) +
                    "the value is not a finite number"};
            if (c.WallTempUnit.find('\0') != std::string::npos)
                return FileError{
                    ElementPrefix(RecordFields::ComponentLabel(i, c.Name), WallTempUnitElement) +
                    "the text holds a NUL character, which a file cannot store"};
            node.append_child(WallTempElement)
                .text()
                .set(NumberFormat::General15(*c.WallTemp).c_str());
            auto unit = node.append_child(WallTempUnitElement);
            if (!c.WallTempUnit.empty())
                unit.text().set(c.WallTempUnit.c_str());
        }
        if (i == 0)
            if (auto error = DesignElement::Append(node, design))
                return *error;
    }
    std::ostringstream out;
    doc.save(out, "  ", pugi::format_indent, pugi::encoding_utf8);
    // A reader turns a carriage return written as it is into a line feed; only texts
    // hold one, so each is written as a character reference.
    std::string xml = std::move(out).str();
    std::string escaped;
    escaped.reserve(xml.size());
    for (const char ch : xml) {
        if (ch == '\r')
            escaped += "&#13;";
        else
            escaped += ch;
    }
    return escaped;
}

std::optional<FileError> WriteLxlFile(const std::filesystem::path& path, const LodoList& list,
                                      const std::string& lineName,
                                      const Design::DesignCase& design) {
    auto text = BuildLxlText(list, lineName, design);
    if (auto* e = std::get_if<FileError>(&text))
        return *e;
    return FileIo::WriteFileAtomically(path, std::get<std::string>(text));
}

ReadResult ReadLxlText(std::string_view text, const EvalContext& defaults) {
    pugi::xml_document doc;
    // Keep a text made only of blanks: it is a stored string like any other.
    const auto parsed = doc.load_buffer(text.data(), text.size(),
                                        pugi::parse_default | pugi::parse_ws_pcdata_single);
    if (!parsed)
        return FileError{"Not a well-formed XML file: " + std::string(parsed.description()) +
                         " at " + LineAndColumn(text, parsed.offset)};
    const auto root = doc.document_element();
    if (std::string_view(root.name()) != RootName)
        return FileError{"Not a sample-line file: the root element is \"" +
                         TextSafety::Echo(root.name()) + "\", not \"Nodes\""};

    LineFile file;
    std::vector<std::string>& warnings = file.Warnings;
    for (const auto& child : root.children()) {
        if (child.type() != pugi::node_element || std::string_view(child.name()) == NodeName)
            continue;
        warnings.push_back("Element \"" + TextSafety::Echo(child.name()) +
                           "\" under \"Nodes\" is not a component; ignored");
    }
    for (const auto& node : root.children(NodeName)) {
        const std::size_t index = file.List.size();
        TLodoComp c = CreateComp(defaults);
        // Texts become valid UTF-8 (the JSON output and the screen need it); the
        // name is read first so that every later message can name the component.
        std::string label = RecordFields::ComponentLabel(index, node.child("Name").text().get());
        const auto textOf = [&](pugi::xml_node el, std::string_view name) {
            bool replaced = false;
            std::string t = TextSafety::ValidUtf8(el.text().get(), &replaced);
            if (replaced)
                warnings.push_back(label + ", element \"" + std::string(name) +
                                   "\": bytes that are not UTF-8 were read as U+FFFD");
            return t;
        };
        const auto lineName = node.child(LineNameElement);
        if (!lineName)
            warnings.push_back(label + ": no \"LineName\" element; the line name is read as empty");
        file.LineName = textOf(lineName, LineNameElement);
        std::vector<std::string_view> missing;
        for (const auto& f : RecordFields::All) {
            const auto el = node.child(std::string(f.Name).c_str());
            const bool isText = std::holds_alternative<RecordFields::TextMember>(f.Member);
            if (!el && isText) {
                missing.push_back(f.Name);
                // A line written before the length unit was stored keeps the default one.
                if (f.Name == "LenUnit") {
                    warnings.push_back(label +
                                       ": no \"LenUnit\" element; the default length unit '" +
                                       TextSafety::Echo(c.LenUnit) + "' is kept");
                    continue;
                }
                const bool unit = f.Name.ends_with("Unit") && f.Name != "Dia3Unit";
                warnings.push_back(label + ": no \"" + std::string(f.Name) +
                                   "\" element; read as empty" +
                                   (unit ? ", that is English units" : " text"));
            }
            if (auto error = RecordFields::Set(c, f, textOf(el, f.Name)))
                return FileError{ElementPrefix(label, f.Name) + *error +
                                 (el ? "" : " (the element is missing)")};
            if (f.Name == "Name")
                label = RecordFields::ComponentLabel(index, c.Name);
        }
        if (const auto wall = node.child(WallTempElement)) {
            const std::string text = textOf(wall, WallTempElement);
            const auto v = NumberFormat::ParseNumber(text);
            if (!v)
                return FileError{ElementPrefix(label, WallTempElement) + "'" +
                                 TextSafety::Echo(text) + "' is not a valid floating point value"};
            c.WallTemp = *v;
            const auto unit = node.child(WallTempUnitElement);
            c.WallTempUnit = textOf(unit, WallTempUnitElement);
            if (!unit)
                warnings.push_back(label + ": no \"WallTempUnit\" element; read as empty, that "
                                           "is English units");
            else if (!InputRules::IsUnitText(c.WallTempUnit))
                warnings.push_back(label + ", field \"WallTempUnit\": '" +
                                   TextSafety::Echo(c.WallTempUnit) +
                                   "' is neither \"Metric\" nor \"English\"; read as English");
        }
        const bool first = index == 0;
        if (first)
            file.Design = DesignElement::Read(node.child(DesignElement::Name), warnings);
        bool designSeen = false;
        for (const auto& el : node.children()) {
            if (el.type() != pugi::node_element)
                continue;
            const std::string_view name = el.name();
            if (name == DesignElement::Name) {
                if (!first || designSeen)
                    warnings.push_back(
                        label + ": " + (first ? "a second" : "a") + " \"Design\" element " +
                        (first ? "" : "outside the first component ") + "is ignored");
                designSeen = true;
                continue;
            }
            const bool known =
                name == LineNameElement || name == WallTempElement ||
                (name == WallTempUnitElement && node.child(WallTempElement)) ||
                std::any_of(RecordFields::All.begin(), RecordFields::All.end(),
                            [&](const RecordFields::Field& f) { return f.Name == name; });
            if (!known)
                warnings.push_back(label + ": unknown element \"" + TextSafety::Echo(name) +
                                   "\" ignored");
        }
        if (auto error = RecordFields::CheckComponentType(c))
            return FileError{label + ", " + *error};
        if (auto error = RecordFields::CheckProbeModel(c))
            return FileError{ElementPrefix(label, "NType") + *error};
        if (auto error = RecordFields::CheckInputRules(c))
            return FileError{label + ", " + *error};
        RecordFields::AddUnitWarnings(c, label, warnings, missing);
        file.List.push_back(std::move(c));
    }
    RaiseNameCounters(file.List, file.Counters);
    for (std::string& w : ReaderWarnings::StructureFindings(file.List))
        warnings.push_back(std::move(w));
    return file;
}

ReadResult ReadLxlFile(const std::filesystem::path& path, const EvalContext& defaults) {
    auto bytes = FileIo::ReadWholeFile(path);
    if (auto* e = std::get_if<FileError>(&bytes))
        return *e;
    return ReadLxlText(std::get<std::string>(bytes), defaults);
}
