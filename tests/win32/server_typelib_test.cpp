// The type libraries as a client reads them (what an object browser lists): K60418's, embedded in
// the DLL, and the host contract library it refers to. Identities, flags, member order, call slots
// and DISPIDs; the host's interfaces referred to, not contained.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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

struct Member {
  std::wstring name;
  MEMBERID id;
  INVOKEKIND kind;
  int slot;
  std::vector<std::wstring> parameters;
};

std::wstring NameOf(ITypeInfo* info, MEMBERID id = MEMBERID_NIL) {
  Bstr name;
  info->GetDocumentation(id, name.out(), nullptr, nullptr, nullptr);
  return name.str();
}

std::wstring DocStringOf(ITypeInfo* info) {
  Bstr text;
  info->GetDocumentation(MEMBERID_NIL, nullptr, text.out(), nullptr, nullptr);
  return text.str();
}

/// The attributes of a type, copied.
TYPEATTR AttributesOf(ITypeInfo* info) {
  TYPEATTR* attributes = nullptr;
  EXPECT_EQ(info->GetTypeAttr(&attributes), S_OK);
  TYPEATTR copy = *attributes;
  info->ReleaseTypeAttr(attributes);
  return copy;
}

/// The vtable view of a dual interface (its type information as a dispinterface otherwise).
void InterfaceView(ITypeLib* library, std::string_view iid, ITypeInfo** view) {
  Ref<ITypeInfo> info;
  ASSERT_EQ(library->GetTypeInfoOfGuid(GuidOf(iid), info.out()), S_OK) << iid;
  if (AttributesOf(info.p).typekind == TKIND_DISPATCH) {
    HREFTYPE reference = 0;
    ASSERT_EQ(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &reference), S_OK);
    ASSERT_EQ(info->GetRefTypeInfo(reference, view), S_OK);
  } else {
    info.p->AddRef();
    *view = info.p;
  }
}

std::vector<Member> MembersOf(ITypeInfo* info) {
  std::vector<Member> members;
  const TYPEATTR attributes = AttributesOf(info);
  for (UINT index = 0; index < attributes.cFuncs; ++index) {
    FUNCDESC* function = nullptr;
    EXPECT_EQ(info->GetFuncDesc(index, &function), S_OK);
    Member member{
        {}, function->memid, function->invkind, function->oVft / static_cast<int>(sizeof(void*)), {}};
    BSTR names[16] = {};
    UINT count = 0;
    info->GetNames(function->memid, names, 16, &count);
    for (UINT n = 0; n < count; ++n) {
      (n == 0 ? member.name : member.parameters.emplace_back()) =
          std::wstring(names[n], SysStringLen(names[n]));
      SysFreeString(names[n]);
    }
    members.push_back(member);
    info->ReleaseFuncDesc(function);
  }
  return members;
}

/// The type of a function's parameter (or of its retval), its flags, and the type it points to.
struct Parameter {
  VARTYPE type = VT_EMPTY;
  USHORT flags = 0;
  VARTYPE pointee = VT_EMPTY;
  VARTYPE pointee2 = VT_EMPTY;
  std::wstring user_type;  // the name of a VT_USERDEFINED at the end of the pointers
  GUID user_guid{};
  std::wstring default_text;
};

Parameter ParameterOf(ITypeInfo* info, UINT function_index, int parameter) {
  FUNCDESC* function = nullptr;
  EXPECT_EQ(info->GetFuncDesc(function_index, &function), S_OK);
  const ELEMDESC& element = function->lprgelemdescParam[parameter];
  Parameter result{};
  result.type = element.tdesc.vt;
  result.flags = element.paramdesc.wParamFlags;
  const TYPEDESC* type = &element.tdesc;
  if (type->vt == VT_PTR) {
    type = type->lptdesc;
    result.pointee = type->vt;
    if (type->vt == VT_PTR) {
      type = type->lptdesc;
      result.pointee2 = type->vt;
    }
  }
  if (type->vt == VT_USERDEFINED) {
    Ref<ITypeInfo> user;
    if (info->GetRefTypeInfo(type->hreftype, user.out()) == S_OK) {
      result.user_type = NameOf(user.p);
      result.user_guid = AttributesOf(user.p).guid;
    }
  }
  if ((result.flags & PARAMFLAG_FHASDEFAULT) && element.paramdesc.pparamdescex &&
      V_VT(&element.paramdesc.pparamdescex->varDefaultValue) == VT_BSTR) {
    BSTR text = V_BSTR(&element.paramdesc.pparamdescex->varDefaultValue);
    result.default_text = std::wstring(text, SysStringLen(text));
  }
  info->ReleaseFuncDesc(function);
  return result;
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

TEST_F(TypeLibraryTest, TheComponentLibraryIsK60418VersionOneLanguageNeutral) {
  TLIBATTR* attributes = nullptr;
  ASSERT_EQ(component_->GetLibAttr(&attributes), S_OK);
  EXPECT_EQ(attributes->guid, GuidOf(registration::kTypeLibrary.guid));
  EXPECT_EQ(attributes->wMajorVerNum, registration::kTypeLibraryMajorVersion);
  EXPECT_EQ(attributes->wMinorVerNum, registration::kTypeLibraryMinorVersion);
  EXPECT_EQ(attributes->lcid, registration::kTypeLibraryLcid);
  EXPECT_EQ(attributes->syskind, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
  component_->ReleaseTLibAttr(attributes);
  Bstr name;
  component_->GetDocumentation(-1, name.out(), nullptr, nullptr, nullptr);
  EXPECT_EQ(name.str(), Wide(registration::kTypeLibrary.name));
  // Its own seven types; the host's interfaces are referred to, not contained.
  EXPECT_EQ(component_->GetTypeInfoCount(), 7u);
  Ref<ITypeInfo> absent;
  EXPECT_EQ(component_->GetTypeInfoOfGuid(GuidOf(registration::kAbstractModuleInterface.guid), absent.out()),
            TYPE_E_ELEMENTNOTFOUND);
  EXPECT_EQ(
      component_->GetTypeInfoOfGuid(GuidOf(registration::kHostComplementInfoInterface.guid), absent.out()),
      TYPE_E_ELEMENTNOTFOUND);
}

TEST_F(TypeLibraryTest, ModuleIsCreatableWithTheDefaultDualInterfaceModule) {
  Ref<ITypeInfo> module;
  ASSERT_EQ(component_->GetTypeInfoOfGuid(GuidOf(registration::kModuleClass.guid), module.out()), S_OK);
  const TYPEATTR attributes = AttributesOf(module.p);
  EXPECT_EQ(attributes.typekind, TKIND_COCLASS);
  EXPECT_TRUE(attributes.wTypeFlags & TYPEFLAG_FCANCREATE);
  EXPECT_EQ(NameOf(module.p), Wide(registration::kModuleClass.name));
  ASSERT_EQ(attributes.cImplTypes, 1);
  INT flags = 0;
  ASSERT_EQ(module->GetImplTypeFlags(0, &flags), S_OK);
  EXPECT_TRUE(flags & IMPLTYPEFLAG_FDEFAULT);
  HREFTYPE reference = 0;
  ASSERT_EQ(module->GetRefTypeOfImplType(0, &reference), S_OK);
  Ref<ITypeInfo> default_interface;
  ASSERT_EQ(module->GetRefTypeInfo(reference, default_interface.out()), S_OK);
  EXPECT_EQ(AttributesOf(default_interface.p).guid, GuidOf(registration::kModuleInterface.guid));
  EXPECT_EQ(NameOf(default_interface.p), Wide(registration::kModuleInterface.name));
}

TEST_F(TypeLibraryTest, TheListClassesAreNotCreatableAndDescribedAsTextArrays) {
  const std::pair<registration::Identity, registration::Identity> classes[] = {
      {registration::kFichiersDeTravailClass, registration::kFichiersDeTravailInterface},
      {registration::kComplementInfoClass, registration::kComplementInfoInterface},
  };
  for (const auto& [identity, iface] : classes) {
    Ref<ITypeInfo> info;
    ASSERT_EQ(component_->GetTypeInfoOfGuid(GuidOf(identity.guid), info.out()), S_OK) << identity.name;
    const TYPEATTR attributes = AttributesOf(info.p);
    EXPECT_EQ(attributes.typekind, TKIND_COCLASS);
    EXPECT_FALSE(attributes.wTypeFlags & TYPEFLAG_FCANCREATE) << identity.name;
    EXPECT_EQ(NameOf(info.p), Wide(identity.name));
    EXPECT_EQ(DocStringOf(info.p), Wide(registration::kListClassDescription));
    HREFTYPE reference = 0;
    ASSERT_EQ(info->GetRefTypeOfImplType(0, &reference), S_OK);
    Ref<ITypeInfo> default_interface;
    ASSERT_EQ(info->GetRefTypeInfo(reference, default_interface.out()), S_OK);
    EXPECT_EQ(NameOf(default_interface.p), Wide(iface.name));
    EXPECT_EQ(AttributesOf(default_interface.p).guid, GuidOf(iface.guid));
  }
}

TEST_F(TypeLibraryTest, TheDefaultInterfacesAreHiddenDualAndNonExtensible) {
  for (const auto& iface : {registration::kModuleInterface, registration::kFichiersDeTravailInterface,
                            registration::kComplementInfoInterface}) {
    Ref<ITypeInfo> view;
    InterfaceView(component_.p, iface.guid, view.out());
    ASSERT_TRUE(view.p);
    const TYPEATTR attributes = AttributesOf(view.p);
    EXPECT_EQ(attributes.typekind, TKIND_INTERFACE) << iface.name;
    const WORD expected =
        TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE;
    EXPECT_EQ(attributes.wTypeFlags & expected, expected) << iface.name;
    EXPECT_EQ(NameOf(view.p), Wide(iface.name));
  }
  Ref<ITypeInfo> list;
  InterfaceView(component_.p, registration::kComplementInfoInterface.guid, list.out());
  EXPECT_TRUE(MembersOf(list.p).empty());
}

TEST_F(TypeLibraryTest, ModuleInterfaceIsAbstractModuleOfTheHostLibrary) {
  // _Module adds nothing: its base is AbstractModule, found in the host contract library.
  Ref<ITypeInfo> view;
  InterfaceView(component_.p, registration::kModuleInterface.guid, view.out());
  ASSERT_TRUE(view.p);
  EXPECT_TRUE(MembersOf(view.p).empty());
  HREFTYPE reference = 0;
  ASSERT_EQ(view->GetRefTypeOfImplType(0, &reference), S_OK);
  Ref<ITypeInfo> base;
  ASSERT_EQ(view->GetRefTypeInfo(reference, base.out()), S_OK)
      << "the host contract library is not reachable";
  EXPECT_EQ(AttributesOf(base.p).guid, GuidOf(registration::kAbstractModuleInterface.guid));
  Ref<ITypeLib> containing;
  UINT index = 0;
  ASSERT_EQ(base->GetContainingTypeLib(containing.out(), &index), S_OK);
  TLIBATTR* attributes = nullptr;
  ASSERT_EQ(containing->GetLibAttr(&attributes), S_OK);
  EXPECT_EQ(attributes->guid, GuidOf(registration::kHostTypeLibrary.guid));
  containing->ReleaseTLibAttr(attributes);
}

TEST_F(TypeLibraryTest, TheFichierRecordHoldsItsThreeFieldsInOrder) {
  Ref<ITypeInfo> record;
  ASSERT_EQ(component_->GetTypeInfoOfGuid(GuidOf(registration::kFichierRecord.guid), record.out()), S_OK);
  const TYPEATTR attributes = AttributesOf(record.p);
  EXPECT_EQ(attributes.typekind, TKIND_RECORD);
  EXPECT_EQ(NameOf(record.p), Wide(registration::kFichierRecord.name));
  ASSERT_EQ(attributes.cVars, 3);
  const std::pair<const wchar_t*, VARTYPE> fields[] = {
      {L"NomSource", VT_BSTR}, {L"NomDest", VT_BSTR}, {L"Modele", VT_BOOL}};
  for (UINT index = 0; index < 3; ++index) {
    VARDESC* field = nullptr;
    ASSERT_EQ(record->GetVarDesc(index, &field), S_OK);
    EXPECT_EQ(NameOf(record.p, field->memid), fields[index].first);
    EXPECT_EQ(field->elemdescVar.tdesc.vt, fields[index].second);
    record->ReleaseVarDesc(field);
  }
}

TEST_F(TypeLibraryTest, WorkingFileListMembersInOrderWithItemGivingTheRecord) {
  Ref<ITypeInfo> view;
  InterfaceView(component_.p, registration::kFichiersDeTravailInterface.guid, view.out());
  ASSERT_TRUE(view.p);
  const std::vector<Member> members = MembersOf(view.p);
  ASSERT_EQ(members.size(), 3u);
  const wchar_t* names[] = {L"add", L"count", L"Item"};
  for (int index = 0; index < 3; ++index) {
    EXPECT_EQ(members[index].name, names[index]);
    EXPECT_EQ(members[index].id, index + 1);
    EXPECT_EQ(members[index].slot, 7 + index);
  }
  EXPECT_EQ(members[0].parameters, (std::vector<std::wstring>{L"siNomSource", L"siNomDest", L"biModele"}));
  const Parameter item = ParameterOf(view.p, 2, 1);
  EXPECT_TRUE(item.flags & PARAMFLAG_FRETVAL);
  EXPECT_EQ(item.pointee, VT_USERDEFINED);
  EXPECT_EQ(item.user_type, L"Fichier");
  EXPECT_EQ(item.user_guid, GuidOf(registration::kFichierRecord.guid));
}

TEST_F(TypeLibraryTest, TheHostLibraryHoldsItsTwoInterfaces) {
  TLIBATTR* attributes = nullptr;
  ASSERT_EQ(host_->GetLibAttr(&attributes), S_OK);
  EXPECT_EQ(attributes->guid, GuidOf(registration::kHostTypeLibrary.guid));
  EXPECT_EQ(attributes->wMajorVerNum, 1);
  EXPECT_EQ(attributes->wMinorVerNum, 0);
  host_->ReleaseTLibAttr(attributes);
  EXPECT_EQ(host_->GetTypeInfoCount(), 2u);
  for (const auto& iface :
       {registration::kAbstractModuleInterface, registration::kHostComplementInfoInterface}) {
    Ref<ITypeInfo> view;
    InterfaceView(host_.p, iface.guid, view.out());
    ASSERT_TRUE(view.p);
    EXPECT_EQ(NameOf(view.p), Wide(iface.name));
    const WORD flags = AttributesOf(view.p).wTypeFlags;
    EXPECT_TRUE(flags & TYPEFLAG_FDUAL) << iface.name;
  }
}

TEST_F(TypeLibraryTest, AbstractModuleMembersInTheContractOrderFollowingIDispatch) {
  Ref<ITypeInfo> view;
  InterfaceView(host_.p, registration::kAbstractModuleInterface.guid, view.out());
  ASSERT_TRUE(view.p);
  const std::vector<Member> members = MembersOf(view.p);
  ASSERT_EQ(members.size(), std::size(registration::kAbstractModuleMembers));
  for (std::size_t index = 0; index < members.size(); ++index) {
    SCOPED_TRACE(registration::kAbstractModuleMembers[index]);
    EXPECT_EQ(members[index].name, Wide(registration::kAbstractModuleMembers[index]));
    EXPECT_EQ(members[index].id, static_cast<MEMBERID>(index + 1));
    EXPECT_EQ(members[index].slot, static_cast<int>(7 + index));  // after IUnknown's 3 and IDispatch's 4
    EXPECT_EQ(members[index].kind, index < 4 ? INVOKE_PROPERTYGET : INVOKE_FUNC);
  }
  EXPECT_EQ(members[5].parameters,
            (std::vector<std::wstring>{L"ilQuestion", L"isPathDossier", L"ioApplication", L"ioHandleLogiciel",
                                       L"isPathModele"}));
  EXPECT_EQ(members[6].parameters, (std::vector<std::wstring>{L"ioApplication", L"ioHandleLogiciel"}));
}

TEST_F(TypeLibraryTest, AbstractModuleSignaturesAsTheHostDeclaresThem) {
  Ref<ITypeInfo> view;
  InterfaceView(host_.p, registration::kAbstractModuleInterface.guid, view.out());
  ASSERT_TRUE(view.p);
  const USHORT in_out = PARAMFLAG_FIN | PARAMFLAG_FOUT;
  // InitQuestion(long, BSTR, [in, out] IDispatch**, [in, out] long*, [optional, defaultvalue("")] BSTR)
  EXPECT_EQ(ParameterOf(view.p, 5, 0).type, VT_I4);
  EXPECT_EQ(ParameterOf(view.p, 5, 1).type, VT_BSTR);
  const Parameter application = ParameterOf(view.p, 5, 2);
  EXPECT_EQ(application.type, VT_PTR);
  EXPECT_EQ(application.pointee, VT_DISPATCH);
  EXPECT_EQ(application.flags & in_out, in_out);
  const Parameter handle = ParameterOf(view.p, 5, 3);
  EXPECT_EQ(handle.type, VT_PTR);
  EXPECT_EQ(handle.pointee, VT_I4);
  EXPECT_EQ(handle.flags & in_out, in_out);
  const Parameter model = ParameterOf(view.p, 5, 4);
  EXPECT_EQ(model.type, VT_BSTR);
  EXPECT_TRUE(model.flags & PARAMFLAG_FOPT);
  EXPECT_TRUE(model.flags & PARAMFLAG_FHASDEFAULT);
  EXPECT_EQ(model.default_text, L"");
  // Quitter([in, out] IDispatch**, [in, out] long*)
  EXPECT_EQ(ParameterOf(view.p, 6, 0).flags & in_out, in_out);
  EXPECT_EQ(ParameterOf(view.p, 6, 1).pointee, VT_I4);
  // The properties: VARIANT_BOOL, the host-side ComplementInfo, BSTR, VARIANT_BOOL.
  EXPECT_EQ(ParameterOf(view.p, 0, 0).pointee, VT_BOOL);
  const Parameter complement = ParameterOf(view.p, 1, 0);
  EXPECT_TRUE(complement.flags & PARAMFLAG_FRETVAL);
  EXPECT_EQ(complement.user_type, Wide(registration::kHostComplementInfoInterface.name));
  EXPECT_EQ(complement.user_guid, GuidOf(registration::kHostComplementInfoInterface.guid));
  EXPECT_EQ(ParameterOf(view.p, 2, 0).pointee, VT_BSTR);
  EXPECT_EQ(ParameterOf(view.p, 3, 0).pointee, VT_BOOL);
}

TEST_F(TypeLibraryTest, HostComplementInfoMembersInOrder) {
  Ref<ITypeInfo> view;
  InterfaceView(host_.p, registration::kHostComplementInfoInterface.guid, view.out());
  ASSERT_TRUE(view.p);
  const std::vector<Member> members = MembersOf(view.p);
  ASSERT_EQ(members.size(), 3u);
  const wchar_t* names[] = {L"add", L"count", L"item"};
  for (int index = 0; index < 3; ++index) {
    EXPECT_EQ(members[index].name, names[index]);
    EXPECT_EQ(members[index].id, index + 1);
    EXPECT_EQ(members[index].slot, 7 + index);
    EXPECT_EQ(members[index].kind, INVOKE_FUNC);
  }
  EXPECT_EQ(members[0].parameters, (std::vector<std::wstring>{L"sLigne", L"lInutilise"}));
  EXPECT_EQ(ParameterOf(view.p, 0, 0).type, VT_BSTR);
  EXPECT_EQ(ParameterOf(view.p, 0, 1).type, VT_I4);
  EXPECT_EQ(ParameterOf(view.p, 2, 0).type, VT_I4);
  EXPECT_EQ(ParameterOf(view.p, 2, 1).pointee, VT_BSTR);
}

}  // namespace
