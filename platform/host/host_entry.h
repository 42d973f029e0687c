#pragma once
// The host's entry table: the objects a module asks the host's main module
// for by number, and the command factory. A missing entry yields null, and
// whatever needed it does nothing.
class HostAppServices;
class HostApDocManager;
class HostCommandFactoryRegistry;

enum HostEntryNumber : int {
  kHostEntryAppServices = 0,  // system variables, new databases
  kHostEntryDocManager = 2,   // documents, editor input, selection, reactors
  kHostEntryPalette = 17,     // the Properties palette (not offered yet)
};

// The object behind an entry number, or null.
void* get_host_funcptr(int number);

// Typed forms of the entries the module uses.
HostAppServices* hostAppServices();
HostApDocManager* hostDocManager();

// The host side: install (or, with null, remove) an entry; offer (or, with
// null, withdraw) the command factory.
void hostInstallEntry(int number, void* object);
void hostInstallCommandFactory(HostCommandFactoryRegistry* registry);
HostCommandFactoryRegistry* hostEntryCommandFactory();
