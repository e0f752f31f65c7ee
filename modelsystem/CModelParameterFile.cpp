#include "modelsystem/CModelParameterFile.h"

#include "models/CLocationWalkMM.h"
#include "models/CMNLogitMM.h"
#include "models/CModelModule.h"
#include "modelsystem/CModelSystem.h"
#include "modelsystem/ModelFileOrder.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <istream>
#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <string_view>
#include <system_error>
#include <utility>

namespace {

// Longest type or name line of a text record.
constexpr std::size_t kMaxTextLine = 254;

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// A model read from the file and waiting to be applied.
struct Staged {
    CModelModule* model;
    std::unique_ptr<CModelModule::ParsedParameters> parameters;
};

// Writes `write`'s output to a temporary file beside `path`, then renames it
// over `path`. True when both succeeded; the temporary file never stays.
template <class Write>
bool SaveAtomically(const std::string& path, Write write) {
    const std::string temporary = path + ".saving";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        write(out);
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    return true;
}

// One line of at most kMaxTextLine characters, without its line break. False
// for a longer line.
bool ReadTextLine(std::istream& in, std::string& line) {
    line.clear();
    for (int c = in.get(); c != std::char_traits<char>::eof() && c != '\n'; c = in.get()) {
        if (line.size() >= kMaxTextLine) return false;
        line += static_cast<char>(c);
    }
    return true;
}

std::string_view TrimBlanks(std::string_view text) {
    const char* blanks = " \t\r\n\v\f";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

}  // namespace

std::vector<const CModelModule*> CModelParameterFile::ModelsInFileOrder(const CModelSystem& system) {
    std::map<std::string, const CModelModule*, std::less<>> byName;
    for (const auto& model : system.GetModels())
        if (model && !model->m_name.empty()) byName.emplace(model->m_name, model.get());

    std::vector<const CModelModule*> ordered;
    std::set<const CModelModule*> taken;
    for (const std::string_view name : ModelFileOrder::kXmlModels) {
        const auto found = byName.find(name);
        if (found == byName.end()) continue;
        ordered.push_back(found->second);
        taken.insert(found->second);
    }
    for (const auto& model : system.GetModels())
        if (model && !model->m_name.empty() && taken.count(model.get()) == 0) {
            ordered.push_back(model.get());
            taken.insert(model.get());
        }
    return ordered;
}

std::vector<const CModelModule*> CModelParameterFile::ModelsInTextOrder(const CModelSystem& system) {
    std::map<std::string, const CModelModule*, std::less<>> byName;
    for (const auto& model : system.GetModels())
        if (model && !model->m_name.empty()) byName.emplace(model->m_name, model.get());
    std::vector<const CModelModule*> ordered;
    for (const std::string_view name : ModelFileOrder::kTextModels) {
        const auto found = byName.find(name);
        if (found != byName.end()) ordered.push_back(found->second);
    }
    return ordered;
}

bool CModelParameterFile::LoadFailed(const std::string& message) {
    m_lastLoad.failure = message;
    if (m_postFailures) MessageSink::Post(message, MessageIcon::Error);
    return false;
}

bool CModelParameterFile::LoadXml(const std::string& path, CModelSystem& system) {
    return LoadXml(path, std::vector<CModelSystem*>{&system});
}

bool CModelParameterFile::LoadXml(const std::string& path, const std::vector<CModelSystem*>& systems) {
    m_lastLoad = LoadReport();
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_file(path.c_str());
    if (!parsed) {
        const bool unread = parsed.status == pugi::status_file_not_found || parsed.status == pugi::status_io_error ||
                            parsed.status == pugi::status_out_of_memory || parsed.status == pugi::status_internal_error;
        m_lastLoad.error = unread ? "it cannot be read: " + std::string(parsed.description())
                                  : "it is not well-formed XML: " + std::string(parsed.description()) +
                                        " at byte offset " + NumberText::Integer(parsed.offset);
        return LoadFailed("The model file " + Quoted(path) + " was not loaded: " + m_lastLoad.error +
                          ". No model was changed.");
    }

    pugi::xpath_node_set elements = document.select_nodes("//Configuration/ModelConfig");
    elements.sort();
    m_lastLoad.elements = static_cast<int>(elements.size());

    // Every element is read and checked for every system before anything changes.
    std::vector<Staged> staged;
    std::set<std::string> reportedUnknown;
    std::set<const CModelModule*> read;
    bool firstSystem = true;
    for (CModelSystem* system : systems) {
        if (system == nullptr) continue;
        std::map<std::string, CModelModule*> byName;
        // The walk-mode location models have no parameters, so the file does
        // not carry them; an element naming one is not an unknown model.
        std::set<std::string> walkNames;
        for (const auto& model : system->GetModels()) {
            if (model && !model->m_name.empty()) byName.emplace(LowerAscii(model->m_name), model.get());
            if (const auto* walk = dynamic_cast<const CLocationWalkMM*>(model.get()))
                walkNames.insert(LowerAscii(walk->GetWalkModelName()));
        }

        int index = 0;
        for (const pugi::xpath_node& selected : elements) {
            ++index;
            const pugi::xml_node element = selected.node();
            const pugi::xml_attribute idAttribute = element.attribute("id");
            const std::string id = idAttribute ? idAttribute.value() : "";
            const auto found = idAttribute ? byName.find(LowerAscii(id)) : byName.end();
            if (found == byName.end()) {
                if (firstSystem && reportedUnknown.insert(id).second) {
                    if (idAttribute && walkNames.count(LowerAscii(id)) != 0)
                        m_lastLoad.walkModelIds.push_back(id);
                    else
                        m_lastLoad.unknownIds.push_back(id);
                }
                continue;
            }
            if (firstSystem) {
                ++m_lastLoad.matched;
                read.insert(found->second);
            }
            std::string error;
            std::unique_ptr<CModelModule::ParsedParameters> parsed = found->second->ParseXml(element, error);
            if (!parsed)
                return LoadFailed("The model file " + Quoted(path) + " was not loaded: ModelConfig element " +
                                  NumberText::Integer(index) + " (id " + Quoted(id) + "): " + error +
                                  ". No model was changed.");
            staged.push_back({found->second, std::move(parsed)});
        }
        firstSystem = false;
    }

    for (const Staged& entry : staged) entry.model->ApplyParameters(*entry.parameters);

    const auto first = std::find_if(systems.begin(), systems.end(), [](const CModelSystem* s) { return s != nullptr; });
    if (first != systems.end())
        for (const CModelModule* model : ModelsInFileOrder(**first))
            if (read.count(model) == 0) m_lastLoad.missingModels.push_back(model->m_name);

    if (m_lastLoad.matched == 0) {
        MessageSink::Post("The model file " + Quoted(path) + " matched no model: none of its " +
                              NumberText::Integer(m_lastLoad.elements) +
                              " ModelConfig elements names a model. No model was changed.",
                          MessageIcon::Warning);
    }
    if (!m_lastLoad.walkModelIds.empty()) {
        std::string list;
        for (const std::string& id : m_lastLoad.walkModelIds) list += (list.empty() ? "" : ", ") + Quoted(id);
        MessageSink::Post("The model file " + Quoted(path) + " has elements for walk-mode location models, which " +
                              "have no parameters and which the file does not carry; they were skipped: " + list +
                              ".",
                          MessageIcon::Warning);
    }
    if (!m_lastLoad.unknownIds.empty()) {
        std::string list;
        for (const std::string& id : m_lastLoad.unknownIds) {
            if (!list.empty()) list += ", ";
            list += id.empty() ? std::string("(an element without id)") : Quoted(id);
        }
        MessageSink::Post("The model file " + Quoted(path) + " has elements for unknown models, which were skipped: " +
                              list + ".",
                          MessageIcon::Warning);
    }
    // A file that matched nothing has said so above.
    if (m_lastLoad.matched > 0 && !m_lastLoad.missingModels.empty()) {
        std::string list;
        for (const std::string& name : m_lastLoad.missingModels) list += (list.empty() ? "" : ", ") + Quoted(name);
        MessageSink::Post("The model file " + Quoted(path) + " has no element for " +
                              NumberText::Integer(static_cast<long long>(m_lastLoad.missingModels.size())) +
                              (m_lastLoad.missingModels.size() == 1 ? " model, which keeps its"
                                                                    : " models, which keep their") +
                              " parameters from before the load: " + list + ".",
                          MessageIcon::Warning);
    }
    // Alternatives a file leaves without a utility function are reported once
    // per loaded file.
    for (CModelSystem* system : systems) {
        if (system == nullptr) continue;
        for (const auto& model : system->GetModels())
            if (const auto* logit = dynamic_cast<const CMNLogitMM*>(model.get())) logit->CheckUtilityFunctions();
        break;
    }
    return true;
}

void CModelParameterFile::WriteXml(std::ostream& out, const CModelSystem& system) const {
    out << "<Configuration>\n";
    for (const CModelModule* model : ModelsInFileOrder(system)) model->WriteXml(out);
    out << "</Configuration>\n";
}

bool CModelParameterFile::SaveXml(const std::string& path, const CModelSystem& system) const {
    return SaveAtomically(path, [&](std::ostream& out) { WriteXml(out, system); });
}

void CModelParameterFile::WriteText(std::ostream& out, const CModelSystem& system) const {
    for (const CModelModule* model : ModelsInTextOrder(system)) model->WriteText(out);
}

bool CModelParameterFile::SaveText(const std::string& path, const CModelSystem& system) const {
    return SaveAtomically(path, [&](std::ostream& out) { WriteText(out, system); });
}

bool CModelParameterFile::LoadText(const std::string& path, CModelSystem& system) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    return ReadText(in, system);
}

bool CModelParameterFile::ReadText(std::istream& in, CModelSystem& system) {
    std::map<std::string, CModelModule*, std::less<>> byName;
    for (const auto& model : system.GetModels())
        if (model && !model->m_name.empty()) byName.emplace(model->m_name, model.get());
    std::set<std::string_view> recognised(ModelFileOrder::kTextModels.begin(), ModelFileOrder::kTextModels.end());

    const auto fail = [](int record, std::string_view name, const std::string& reason) {
        MessageSink::Post("The text form of the model parameters was not loaded: record " +
                              NumberText::Integer(record) + (name.empty() ? "" : " (" + Quoted(name) + ")") + ": " +
                              reason + ". No model was changed.",
                          MessageIcon::Error);
        return false;
    };

    std::vector<Staged> staged;
    int record = 0;
    while (in.peek() == 'c') {
        ++record;
        std::string typeLine;
        std::string nameLine;
        if (!ReadTextLine(in, typeLine)) return fail(record, {}, "its type line is too long");
        if (!ReadTextLine(in, nameLine)) return fail(record, {}, "its name line is too long");
        const std::string_view name = TrimBlanks(nameLine);
        const auto found = byName.find(name);
        if (recognised.count(name) == 0 || found == byName.end())
            return fail(record, name, "no model of that name has a text record");
        std::string error;
        std::unique_ptr<CModelModule::ParsedParameters> parsed = found->second->ParseText(in, error);
        if (!parsed) return fail(record, name, error);
        staged.push_back({found->second, std::move(parsed)});
    }
    if (in.peek() != std::char_traits<char>::eof())
        return fail(record + 1, {}, "the file goes on with something other than a model record");

    for (const Staged& entry : staged) entry.model->ApplyParameters(*entry.parameters);
    return true;
}
