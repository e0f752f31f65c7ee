#pragma once
// Reads and writes the parameters of a model system's models: the XML
// model-parameter file (a Configuration element with one ModelConfig element
// per model, each written and read by its model class) and the plain-text
// form. It works over the models the model system holds, matching them by
// name, so it serves whatever models the catalogue creates.
//
// Loading is all or nothing: every element (or text record) is read and
// checked before any model changes, and one that is not sound makes the load
// fail with a message naming it. Saving writes a temporary file beside the
// target and renames it over the target only when everything was written.

#include <iosfwd>
#include <string>
#include <vector>

class CModelModule;
class CModelSystem;

class CModelParameterFile {
public:
    // What the last XML load found in the file.
    struct LoadReport {
        int elements = 0;  // ModelConfig elements below a Configuration element
        int matched = 0;   // of those, elements that named a model
        // Ids that named no model, once each in document order (an element
        // without an id attribute counts with an empty id).
        std::vector<std::string> unknownIds;
        // Ids that named a walk-mode location model, which the file does not
        // carry, once each in document order.
        std::vector<std::string> walkModelIds;
        // Models the file can carry but has no element for, in file order:
        // they keep the parameters they had.
        std::vector<std::string> missingModels;
        // Why the file was not read: the parser's description, with the byte
        // offset for a file that is not well-formed; empty otherwise.
        std::string error;
        // The message of a failed load, naming the file and what is wrong
        // with it; empty after a load that succeeded.
        std::string failure;
    };

    // Whether a failed XML load posts its message (it does by default); a
    // caller that reports the failure in its own message turns this off and
    // takes the text from the load report.
    void SetFailuresPosted(bool posted) { m_postFailures = posted; }

    // Reads the model-parameter file into every given model system (the ten
    // per-thread systems, or one). An element's id is matched with the model
    // names without regard to the case of ASCII letters; elements naming no
    // model are skipped and reported, and so is a file that matches no model
    // at all (the result is still true); elements naming a walk-mode location
    // model are skipped and reported as models the file does not carry; the
    // models the file could carry but lacks are named in one warning. False,
    // with no model changed and a message, when the file cannot be read or is
    // not well-formed XML (the parser's description and the byte offset) or
    // holds an element that is not sound (the message names it).
    // A model named in several elements takes the last of them.
    bool LoadXml(const std::string& path, const std::vector<CModelSystem*>& systems);
    bool LoadXml(const std::string& path, CModelSystem& system);

    // Writes the model-parameter file of a model system: every model the
    // loader reads, in the file's usual order. True when the file was
    // written completely and put in place.
    bool SaveXml(const std::string& path, const CModelSystem& system) const;
    // The document SaveXml writes.
    void WriteXml(std::ostream& out, const CModelSystem& system) const;

    // Writes the text form: one record per model that has one.
    bool SaveText(const std::string& path, const CModelSystem& system) const;
    void WriteText(std::ostream& out, const CModelSystem& system) const;
    // Reads the text form. True when the whole file was read and applied (an
    // empty file included); false, with no model changed, when it cannot be
    // opened, a record names no model of the text form (letter case counts),
    // a record is not sound (a message names it) or anything but records
    // stands in the file.
    bool LoadText(const std::string& path, CModelSystem& system);
    bool ReadText(std::istream& in, CModelSystem& system);

    const LoadReport& GetLastLoad() const { return m_lastLoad; }

    // The models of a system that the file carries, in the order they are
    // written: those of the usual file order first, then any other named model
    // in creation order. Models without a name are not carried.
    static std::vector<const CModelModule*> ModelsInFileOrder(const CModelSystem& system);
    // The models of a system that have a text record, in the order they are written.
    static std::vector<const CModelModule*> ModelsInTextOrder(const CModelSystem& system);

private:
    // Keeps the failure message of the load, posts it when failures are
    // posted, and returns false.
    bool LoadFailed(const std::string& message);

    LoadReport m_lastLoad;
    bool m_postFailures = true;
};
