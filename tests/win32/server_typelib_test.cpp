// The type libraries as a client reads them (what an object browser lists): K60418's, embedded in
// the DLL, and the host contract library it refers to. Each type is written out as text (kind,
// flags, members with their call slot, DISPID and signature) and compared with what the host binds
// to: identities, member order, slots and DISPIDs never change.
#include <gtest/gtest.h>

#include <string>

#include "module/registration.hpp"
#include "win32/server_support.hpp"

namespace {

using server_test::Bstr;
using server_test::Wide;

GUID GuidOf(std::string_view text) {
  GUID guid{};
  EXPECT_EQ(CLSIDFromString(Wide(text).c_str(), &guid), S_OK) << text;
  return guid;
}

/// A COM pointer released at the end of its scope.
template <class T>
struct Ref {
  T* p = nullptr;
  ~Ref() {
    if (p) p->Release();
  }
  T** out() { return &p; }
  T* operator->() const { return p; }
};

std::wstring NameOf(ITypeInfo* info, MEMBERID id = MEMBERID_NIL) {
  Bstr name;
  info->GetDocumentation(id, name.out(), nullptr, nullptr, nullptr);
  return name.str();
}

// A type as the IDL writes it; a type of another library is prefixed with that library's name.
std::wstring TypeText(const TYPEDESC& type, ITypeInfo* info) {
  switch (type.vt) {
    case VT_PTR:
      return TypeText(*type.lptdesc, info) + L"*";
    case VT_USERDEFINED: {
      Ref<ITypeInfo> user;
      Ref<ITypeLib> library;
      UINT index = 0;
      if (info->GetRefTypeInfo(type.hreftype, user.out()) != S_OK) return L"?";
      user->GetContainingTypeLib(library.out(), &index);
      Bstr name;
      library->GetDocumentation(-1, name.out(), nullptr, nullptr, nullptr);
      return name.str() + L"." + NameOf(user.p);
    }
    case VT_I4:
      return L"long";
    case VT_BSTR:
      return L"BSTR";
    case VT_BOOL:
      return L"VARIANT_BOOL";
    case VT_DISPATCH:
      return L"IDispatch*";  // VT_DISPATCH is the pointer
    default:
      return L"vt" + std::to_wstring(type.vt);
  }
}

std::wstring ParameterText(const ELEMDESC& element, ITypeInfo* info, const std::wstring& name) {
  const USHORT flags = element.paramdesc.wParamFlags;
  std::wstring text = L"[";
  for (const auto& [flag, word] : {std::pair{PARAMFLAG_FIN, L"in,"},
                                   {PARAMFLAG_FOUT, L"out,"},
                                   {PARAMFLAG_FRETVAL, L"retval,"},
                                   {PARAMFLAG_FOPT, L"optional,"}}) {
    if (flags & flag) text += word;
  }
  if ((flags & PARAMFLAG_FHASDEFAULT) && element.paramdesc.pparamdescex) {
    const VARIANT& value = element.paramdesc.pparamdescex->varDefaultValue;
    text += L"defaultvalue(\"" + std::wstring(V_VT(&value) == VT_BSTR ? V_BSTR(&value) : L"?") + L"\"),";
  }
  text.back() = L']';
  return text + L" " + TypeText(element.tdesc, info) + L" " + name;
}

/// The type as text: "kind name : base [flags] { slot:dispid member(parameters) … }".
std::wstring TypeText(ITypeInfo* info) {
  TYPEATTR* a = nullptr;
  if (info->GetTypeAttr(&a) != S_OK) return L"<no attributes>";
  const TYPEATTR attributes = *a;
  info->ReleaseTypeAttr(a);
  const wchar_t* kinds[] = {L"enum", L"record", L"module", L"interface", L"dispinterface", L"coclass"};
  std::wstring text = std::wstring(attributes.typekind <= TKIND_COCLASS ? kinds[attributes.typekind] : L"?") +
                      L" " + NameOf(info);
  if (attributes.typekind == TKIND_INTERFACE && attributes.cImplTypes == 1) {
    HREFTYPE base = 0;
    TYPEDESC reference{};
    reference.vt = VT_USERDEFINED;
    if (info->GetRefTypeOfImplType(0, &base) == S_OK) reference.hreftype = base;
    text += L" : " + TypeText(reference, info);
  }
  text += L" [";
  for (const auto& [flag, word] : {std::pair{TYPEFLAG_FCANCREATE, L"cancreate "},
                                   {TYPEFLAG_FDUAL, L"dual "},
                                   {TYPEFLAG_FHIDDEN, L"hidden "},
                                   {TYPEFLAG_FNONEXTENSIBLE, L"nonextensible "},
                                   {TYPEFLAG_FOLEAUTOMATION, L"oleautomation "}}) {
    if (attributes.wTypeFlags & flag) text += word;
  }
  Bstr help;
  info->GetDocumentation(MEMBERID_NIL, nullptr, help.out(), nullptr, nullptr);
  if (!help.str().empty()) text += L"helpstring(\"" + help.str() + L"\") ";
  text += L"] {";
  for (UINT index = 0; attributes.typekind == TKIND_COCLASS && index < attributes.cImplTypes; ++index) {
    HREFTYPE reference = 0;
    INT flags = 0;
    Ref<ITypeInfo> implemented;
    info->GetRefTypeOfImplType(index, &reference);
    info->GetImplTypeFlags(index, &flags);
    info->GetRefTypeInfo(reference, implemented.out());
    text += std::wstring(flags & IMPLTYPEFLAG_FDEFAULT ? L" [default]" : L"") + L" " + NameOf(implemented.p);
  }
  for (UINT index = 0; index < attributes.cVars; ++index) {
    VARDESC* field = nullptr;
    info->GetVarDesc(index, &field);
    text += L" " + TypeText(field->elemdescVar.tdesc, info) + L" " + NameOf(info, field->memid) + L";";
    info->ReleaseVarDesc(field);
  }
  for (UINT index = 0; index < attributes.cFuncs; ++index) {
    FUNCDESC* function = nullptr;
    info->GetFuncDesc(index, &function);
    BSTR names[16] = {};
    UINT count = 0;
    info->GetNames(function->memid, names, 16, &count);
    text += L"\n  " + std::to_wstring(function->oVft / static_cast<int>(sizeof(void*))) + L":" +
            std::to_wstring(function->memid) +
            (function->invkind == INVOKE_PROPERTYGET ? L" propget " : L" ") + names[0] + L"(";
    for (SHORT p = 0; p < function->cParams; ++p) {
      text += (p ? L", " : L"") +
              ParameterText(function->lprgelemdescParam[p], info, p + 1u < count ? names[p + 1] : L"?");
    }
    text += L");";
    for (UINT n = 0; n < count; ++n) SysFreeString(names[n]);
    info->ReleaseFuncDesc(function);
  }
  return text + L" }";
}

/// The type of `guid` in `library`: the vtable view of a dual interface.
std::wstring TypeText(ITypeLib* library, std::string_view guid) {
  Ref<ITypeInfo> info;
  if (library->GetTypeInfoOfGuid(GuidOf(guid), info.out()) != S_OK) return L"<absent>";
  HREFTYPE view = 0;
  Ref<ITypeInfo> vtable;
  if (info->GetRefTypeOfImplType(static_cast<UINT>(-1), &view) == S_OK &&
      info->GetRefTypeInfo(view, vtable.out()) == S_OK)
    return TypeText(vtable.p);
  return TypeText(info.p);
}

class TypeLibraryTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(LoadTypeLibEx(server_test::DllPath().c_str(), REGKIND_NONE, component_.out()), S_OK);
    ASSERT_EQ(LoadTypeLibEx(server_test::HostLibraryPath().c_str(), REGKIND_NONE, host_.out()), S_OK);
  }
  Ref<ITypeLib> component_;
  Ref<ITypeLib> host_;
};

// Both libraries' identities, as DllRegisterServer registers them; the host's interfaces are
// referred to, not contained.
TEST_F(TypeLibraryTest, TheLibrariesAndTheirIdentities) {
  const struct {
    ITypeLib* library;
    std::string_view guid;
    UINT types;
    std::wstring name;
  } libraries[] = {{component_.p, registration::kTypeLibrary.guid, 7, L"K60418"},
                   {host_.p, registration::kHostTypeLibrary.guid, 2, L"ContratHote"}};
  for (const auto& l : libraries) {
    TLIBATTR* attributes = nullptr;
    ASSERT_EQ(l.library->GetLibAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->guid, GuidOf(l.guid)) << l.guid;
    EXPECT_EQ(attributes->wMajorVerNum, 1);
    EXPECT_EQ(attributes->wMinorVerNum, 0);
    EXPECT_EQ(attributes->lcid, 0u);
    EXPECT_EQ(attributes->syskind, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
    l.library->ReleaseTLibAttr(attributes);
    Bstr name;
    l.library->GetDocumentation(-1, name.out(), nullptr, nullptr, nullptr);
    EXPECT_EQ(name.str(), l.name);
    EXPECT_EQ(l.library->GetTypeInfoCount(), l.types) << l.guid;
  }
  EXPECT_EQ(TypeText(component_.p, registration::kAbstractModuleInterface.guid), L"<absent>");
  EXPECT_EQ(TypeText(component_.p, registration::kHostComplementInfoInterface.guid), L"<absent>");
}

// Every type of both libraries, member by member.
TEST_F(TypeLibraryTest, EveryTypeAsTheHostBindsToIt) {
  const std::wstring list = L"[helpstring(\"Tableau de type texte\") ] {";
  const std::wstring dual = L" : stdole.IDispatch [dual hidden nonextensible oleautomation ] {";
  const struct {
    ITypeLib* library;
    std::string_view guid;
    std::wstring expected;
  } types[] = {
      {component_.p, registration::kModuleClass.guid, L"coclass Module [cancreate ] { [default] _Module }"},
      {component_.p, registration::kFichiersDeTravailClass.guid,
       L"coclass FichiersDeTravail " + list + L" [default] _FichiersDeTravail }"},
      {component_.p, registration::kComplementInfoClass.guid,
       L"coclass ComplementInfo " + list + L" [default] _ComplementInfo }"},
      {component_.p, registration::kModuleInterface.guid,
       L"interface _Module : ContratHote.AbstractModule [dual hidden nonextensible oleautomation ] { }"},
      {component_.p, registration::kComplementInfoInterface.guid,
       L"interface _ComplementInfo" + dual + L" }"},
      {component_.p, registration::kFichiersDeTravailInterface.guid,
       L"interface _FichiersDeTravail" + dual +
           L"\n  7:1 add([in] BSTR siNomSource, [in] BSTR siNomDest, [in] VARIANT_BOOL biModele);"
           L"\n  8:2 count([out,retval] long* plCount);"
           L"\n  9:3 Item([in] long noItem, [out,retval] K60418.Fichier* pFichier); }"},
      {component_.p, registration::kFichierRecord.guid,
       L"record Fichier [] { BSTR NomSource; BSTR NomDest; VARIANT_BOOL Modele; }"},
      {host_.p, registration::kAbstractModuleInterface.guid,
       L"interface AbstractModule : stdole.IDispatch [dual oleautomation ] {"
       L"\n  7:1 propget BravoNuance([out,retval] VARIANT_BOOL* pbBravoNuance);"
       L"\n  8:2 propget Complement([out,retval] ContratHote.ComplementInfo** poComplement);"
       L"\n  9:3 propget CauseErreur([out,retval] BSTR* psCauseErreur);"
       L"\n  10:4 propget ErreurGenerale([out,retval] VARIANT_BOOL* pbErreurGenerale);"
       L"\n  11:5 Fermer();"
       L"\n  12:6 InitQuestion([in] long ilQuestion, [in] BSTR isPathDossier, [in,out] IDispatch** "
       L"ioApplication, "
       L"[in,out] long* ioHandleLogiciel, [in,optional,defaultvalue(\"\")] BSTR isPathModele);"
       L"\n  13:7 Quitter([in,out] IDispatch** ioApplication, [in,out] long* ioHandleLogiciel);"
       L"\n  14:8 TestePoint(); }"},
      {host_.p, registration::kHostComplementInfoInterface.guid,
       L"interface ComplementInfo : stdole.IDispatch [dual oleautomation ] {"
       L"\n  7:1 add([in] BSTR sLigne, [in] long lInutilise);"
       L"\n  8:2 count([out,retval] long* plCount);"
       L"\n  9:3 item([in] long noItem, [out,retval] BSTR* psLigne); }"},
  };
  for (const auto& t : types) EXPECT_EQ(TypeText(t.library, t.guid), t.expected) << t.guid;
}

}  // namespace
