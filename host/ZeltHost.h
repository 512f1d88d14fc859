#pragma once

#include "host/CityDatabase.h"
#include "host/Faults.h"
#include "host/PluginLibrary.h"
#include "host/objects/HostApplication.h"
#include "host/objects/HostCards.h"
#include "host/objects/HostView.h"

#include <memory>
#include <optional>
#include <string>

namespace host {
// The reference host: serves one city, loads one plug-in, starts it with its
// application and view objects, stops it and accounts for every object on both sides.
class ZeltHost {
public:
    struct Options {
        std::string pluginPath;
        LANGID language = 0;  // the interface language; 0 keeps the environment's
        std::string cityPath; // the city data file to serve; empty: the bundled demo city
        // The user's application-data folder for this run, for the whole process (it stays
        // when the host goes); empty leaves the process's own.
        std::string appDataPath;
    };
    // Opens the city; raises CityError.
    explicit ZeltHost(Options options);
    ~ZeltHost();

    // The bundled demo city's file.
    static std::string DemoCityPath();

    // Loads the plug-in library anew, after unloading the one loaded before when nothing of it
    // is alive, and creates the plug-in; raises PluginError.
    void Load();
    // The plug-in's description XML.
    std::u16string Description() const;
    // Starts the plug-in; its result.
    HRESULT Start();
    // Closes the open cards, stops the plug-in (Terminate), drops the search groups, the
    // map's blocks, the page controllers with everything they hold and the search shown, and
    // lets the plug-in go; the library stays loaded for the accounting until the next Load.
    // The result of Terminate; S_OK when no plug-in runs.
    HRESULT Stop();
    // The host's options command for the plug-in: its ShowOptions, which returns when the
    // plug-in's settings have closed. E_NOINTERFACE for a plug-in without options.
    HRESULT ShowOptions();

    // What is still alive: the plug-in module's objects (-1 when unknown) and the
    // references that others hold to any of the host's objects: extra references to the
    // ones the host keeps, and every other host object still alive.
    long PluginObjects() const;
    long ForeignHostReferences() const;

    PluginLibrary* Library() const { return library_.get(); }
    HostView& View() const { return *view_.get(); }
    // The company cards the host has open.
    HostCards& Cards() const { return *cards_; }
    // The failures planted in the host's operations.
    host::Faults& Faults() const { return *faults_; }

private:
    // Drops what the search tab, the map and the result view hold of the plug-in.
    void ReleasePluginObjects() noexcept;

    Options options_;
    std::unique_ptr<PluginLibrary> library_;
    std::shared_ptr<host::Faults> faults_;
    zsys::ComPtr<HostApplication> application_;
    zsys::ComPtr<HostView> view_;
    std::unique_ptr<HostCards> cards_;
};
} // namespace host
