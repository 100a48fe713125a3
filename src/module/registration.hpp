// The identities under which the component registers: its type library, its classes and interfaces,
// and the host contract library's interfaces that Module and ComplementInfo implement. The host binds
// to these; they never change.
#pragma once

#include <string_view>

namespace registration {

/// One registered identity: its name and its GUID in registry form ("{…}", upper case).
struct Identity {
  std::string_view name;
  std::string_view guid;
};

/// The component's type library: K60418, version 1.0, language neutral (LCID 0).
inline constexpr Identity kTypeLibrary{"K60418", "{40526EB5-285B-42D9-9426-E8197F0270EF}"};
inline constexpr unsigned short kTypeLibraryMajorVersion = 1;
inline constexpr unsigned short kTypeLibraryMinorVersion = 0;
inline constexpr unsigned long kTypeLibraryLcid = 0;

/// The one class clients create.
inline constexpr Identity kModuleClass{"Module", "{74615031-BE13-4364-A7A7-0CD1412AE189}"};
inline constexpr std::string_view kModuleProgId = "K60418.Module";
/// Module's default interface.
inline constexpr Identity kModuleInterface{"_Module", "{B556C250-7C12-4500-8C9E-B10CE04CEF67}"};

/// Public classes that clients receive but do not create.
inline constexpr Identity kFichiersDeTravailClass{"FichiersDeTravail",
                                                  "{523B2BD2-DD0D-4217-958F-39810A5CCCED}"};
inline constexpr Identity kFichiersDeTravailInterface{"_FichiersDeTravail",
                                                      "{516910EB-731A-4EB2-80D7-02121238014F}"};
inline constexpr Identity kComplementInfoClass{"ComplementInfo", "{FB429960-8A80-42FE-95ED-F7E1D2ECCC28}"};
inline constexpr Identity kComplementInfoInterface{"_ComplementInfo",
                                                   "{3AF8A2B9-1A01-4A7E-A5E0-3BBF654155F8}"};
/// The description both list classes carry in the registry.
inline constexpr std::string_view kListClassDescription = "Tableau de type texte";

/// The public record of one working file.
inline constexpr Identity kFichierRecord{"Fichier", "{02156F59-6203-44C9-A164-04659162C441}"};

/// The host contract library, referenced and not contained: its type library and the two
/// interfaces the component implements (AbstractModule by Module, the host-side ComplementInfo
/// by ComplementInfo).
inline constexpr Identity kHostTypeLibrary{"host contract library", "{B89DEBFB-53AC-11D3-9C0A-004033A65846}"};
inline constexpr Identity kAbstractModuleInterface{"AbstractModule",
                                                   "{B89DEBFE-53AC-11D3-9C0A-004033A65846}"};
inline constexpr Identity kHostComplementInfoInterface{"ComplementInfo",
                                                       "{B89DEBFC-53AC-11D3-9C0A-004033A65846}"};

/// The members of AbstractModule in the interface's order (its call slots after the standard
/// dispatch members); Module keeps this order.
inline constexpr std::string_view kAbstractModuleMembers[] = {
    "BravoNuance", "Complement",   "CauseErreur", "ErreurGenerale",
    "Fermer",      "InitQuestion", "Quitter",     "TestePoint",
};

}  // namespace registration
