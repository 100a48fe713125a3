// K60418.dll as its hosts meet it, once registered: the training player binding early through
// AbstractModule's vtable, a late-bound caller through IDispatch names, the registry as
// DllRegisterServer left it, and the DLL's unloading. No PowerPoint is registered here: the module
// answers as it does when it cannot get one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "module/rapporte_erreur.hpp"
#include "module/registration.hpp"
#include "vb/error.hpp"
#include "win32/server_stub_application.hpp"
#include "win32/server_support.hpp"
//
#include "ContratHote.h"

namespace {

using server_test::Bstr;
using server_test::TakeErrorInfo;
using server_test::VbError;
using server_test::Wide;

GUID GuidOf(std::string_view text) {
  GUID guid{};
  CLSIDFromString(Wide(text).c_str(), &guid);
  return guid;
}

/// The module as the player creates it: by its ProgID, asking for AbstractModule.
AbstractModule* CreateModule() {
  CLSID clsid{};
  EXPECT_EQ(CLSIDFromProgID(Wide(registration::kModuleProgId).c_str(), &clsid), S_OK);
  EXPECT_EQ(clsid, GuidOf(registration::kModuleClass.guid));
  AbstractModule* module = nullptr;
  EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_AbstractModule,
                             reinterpret_cast<void**>(&module)),
            S_OK);
  return module;
}

/// What the module raises for a VB run-time error of its own: number, its project as the source,
/// VB's description.
void ExpectRaised(HRESULT hr, int number, const std::wstring& source) {
  EXPECT_EQ(hr, VbError(number));
  const server_test::ErrorInfo info = TakeErrorInfo();
  ASSERT_TRUE(info.present);
  EXPECT_EQ(info.source, source);
  EXPECT_EQ(info.description, Wide(vb::DefaultDescription(number)));
}

class EarlyBoundHost : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(module_ = CreateModule()); }
  void TearDown() override {
    if (module_) {
      EXPECT_EQ(module_->Release(), 0u);
    }
  }
  AbstractModule* module_ = nullptr;
};

TEST_F(EarlyBoundHost, AFreshModuleHasNoGeneralError) {
  VARIANT_BOOL general = VARIANT_TRUE;
  EXPECT_EQ(module_->get_ErreurGenerale(&general), S_OK);
  EXPECT_EQ(general, VARIANT_FALSE);
}

TEST_F(EarlyBoundHost, TheVerdictWithNoExerciseOpenRaisesObjectNotSetWithErrorInfo) {
  ISupportErrorInfo* support = nullptr;
  ASSERT_EQ(module_->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support)), S_OK);
  EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_AbstractModule), S_OK);
  support->Release();
  const std::wstring project = Wide(vb::kProjectName);
  Bstr cause;
  ExpectRaised(module_->get_CauseErreur(cause.out()), vb::errors::kObjectNotSet, project);
  VARIANT_BOOL nuance = VARIANT_FALSE;
  ExpectRaised(module_->get_BravoNuance(&nuance), vb::errors::kObjectNotSet, project);
  ComplementInfo* complement = nullptr;
  ExpectRaised(module_->get_Complement(&complement), vb::errors::kObjectNotSet, project);
  EXPECT_EQ(complement, nullptr);
}

TEST_F(EarlyBoundHost, InitQuestionWithoutPowerPointRaisesCannotCreateObject) {
  IDispatch* application = nullptr;
  LONG handle = -1;
  Bstr folder(L"C:\\K60418\\");
  ExpectRaised(module_->InitQuestion(201, folder.get(), &application, &handle, nullptr),
               vb::errors::kCannotCreateObject, Wide(vb::kProjectName));
  EXPECT_EQ(application, nullptr);
  EXPECT_EQ(handle, -1);
}

TEST_F(EarlyBoundHost, AnApplicationThatDoesNotAnswerIsDroppedAndTheErrorComesFromGetApplication) {
  // The object passed is no PowerPoint: the module lets it go, fails to start one, and reports where.
  server_test::StubApplication stub;
  IDispatch* application = &stub;
  stub.AddRef();  // the host's variable
  LONG handle = -1;
  Bstr folder(L"C:\\K60418\\");
  EXPECT_EQ(module_->InitQuestion(201, folder.get(), &application, &handle, nullptr),
            VbError(vb::errors::kCannotCreateObject));
  const server_test::ErrorInfo info = TakeErrorInfo();
  ASSERT_TRUE(info.present);
  EXPECT_EQ(info.source, Wide(k60418::ComposeSourceErreur("Module", "GetApplication", vb::kProjectName)));
  EXPECT_NE(info.source.find(L"Module\n\r - SERVICE GetApplication"), std::wstring::npos);
  EXPECT_EQ(info.description, Wide(vb::DefaultDescription(vb::errors::kCannotCreateObject)));
  EXPECT_EQ(application, nullptr);  // the host's variable now holds Nothing, as the module left it
  EXPECT_EQ(handle, -1);
  EXPECT_EQ(stub.references, 1u);  // neither the module nor the variable holds the object any more
}

/// Slot `slot` of the object's vtable, called as a function of that signature.
template <class... Arguments>
HRESULT CallSlot(IUnknown* object, int slot, Arguments... arguments) {
  using Function = HRESULT(STDMETHODCALLTYPE*)(IUnknown*, Arguments...);
  void** table = *reinterpret_cast<void***>(object);
  return reinterpret_cast<Function>(table[slot])(object, arguments...);
}

TEST_F(EarlyBoundHost, TheVtableSlotsFollowTheContractOrder) {
  // Each slot is recognised by what it does: slots 7 to 14 after IUnknown's and IDispatch's.
  VARIANT_BOOL flag = VARIANT_TRUE;
  EXPECT_EQ(CallSlot(module_, 10, &flag), S_OK);  // ErreurGenerale
  EXPECT_EQ(flag, VARIANT_FALSE);
  EXPECT_EQ(CallSlot(module_, 14), S_OK);  // TestePoint: no PowerPoint window, code "AK"
  EXPECT_EQ(CallSlot(module_, 10, &flag), S_OK);
  EXPECT_EQ(flag, VARIANT_TRUE);
  Bstr cause;
  EXPECT_EQ(CallSlot(module_, 9, cause.out()), S_OK);  // CauseErreur
  EXPECT_EQ(cause.str(), L"AK");
  EXPECT_EQ(CallSlot(module_, 7, &flag), VbError(vb::errors::kObjectNotSet));  // BravoNuance
  ComplementInfo* complement = nullptr;
  EXPECT_EQ(CallSlot(module_, 8, &complement), VbError(vb::errors::kObjectNotSet));  // Complement
  IDispatch* application = nullptr;
  LONG handle = -1;
  EXPECT_EQ(CallSlot(module_, 13, &application, &handle), S_OK);  // Quitter: nothing held
  EXPECT_EQ(handle, -1);
  EXPECT_EQ(CallSlot(module_, 11), VbError(vb::errors::kObjectNotSet));  // Fermer: no exercise
  Bstr folder(L"C:\\K60418\\");
  EXPECT_EQ(CallSlot(module_, 12, static_cast<LONG>(201), folder.get(), &application, &handle, BSTR{nullptr}),
            VbError(vb::errors::kCannotCreateObject));  // InitQuestion
  SetErrorInfo(0, nullptr);
}

// --- A late-bound caller -----------------------------------------------------------------------

class LateBoundHost : public EarlyBoundHost {
 protected:
  void SetUp() override {
    EarlyBoundHost::SetUp();
    ASSERT_EQ(module_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch_)), S_OK);
  }
  void TearDown() override {
    if (dispatch_) dispatch_->Release();
    EarlyBoundHost::TearDown();
  }
  DISPID IdOf(const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    EXPECT_EQ(dispatch_->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK) << name;
    return id;
  }
  IDispatch* dispatch_ = nullptr;
};

TEST_F(LateBoundHost, PropertiesAndErrorsThroughTheTypeLibrary) {
  EXPECT_EQ(IdOf(L"erreurgenerale"), 4);
  VARIANT result;
  VariantInit(&result);
  DISPPARAMS none{};
  ASSERT_EQ(dispatch_->Invoke(IdOf(L"ErreurGenerale"), IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result,
                              nullptr, nullptr),
            S_OK);
  EXPECT_EQ(V_VT(&result), VT_BOOL);
  EXPECT_EQ(V_BOOL(&result), VARIANT_FALSE);
  EXCEPINFO exception{};
  EXPECT_EQ(dispatch_->Invoke(IdOf(L"CauseErreur"), IID_NULL, 0, DISPATCH_PROPERTYGET | DISPATCH_METHOD,
                              &none, &result, &exception, nullptr),
            DISP_E_EXCEPTION);
  EXPECT_EQ(exception.scode, VbError(vb::errors::kObjectNotSet));
  EXPECT_EQ(Bstr(exception.bstrSource).str(), Wide(vb::kProjectName));
  EXPECT_EQ(Bstr(exception.bstrDescription).str(), Wide(vb::DefaultDescription(vb::errors::kObjectNotSet)));
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
}

TEST_F(LateBoundHost, InitQuestionTakesTheCallersVariablesAndWritesThemBack) {
  server_test::StubApplication stub;
  VARIANT application, handle;
  V_VT(&application) = VT_DISPATCH;
  V_DISPATCH(&application) = &stub;
  stub.AddRef();
  V_VT(&handle) = VT_I2;
  V_I2(&handle) = -1;
  VARIANT arguments[4];  // in reverse order, as a script passes them
  V_VT(&arguments[0]) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&arguments[0]) = &handle;
  V_VT(&arguments[1]) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&arguments[1]) = &application;
  V_VT(&arguments[2]) = VT_BSTR;
  V_BSTR(&arguments[2]) = SysAllocString(L"C:\\K60418\\");
  V_VT(&arguments[3]) = VT_I2;
  V_I2(&arguments[3]) = 201;
  DISPPARAMS parameters{arguments, nullptr, 4, 0};
  EXCEPINFO exception{};
  EXPECT_EQ(dispatch_->Invoke(IdOf(L"InitQuestion"), IID_NULL, 0, DISPATCH_METHOD, &parameters, nullptr,
                              &exception, nullptr),
            DISP_E_EXCEPTION);
  EXPECT_EQ(exception.scode, VbError(vb::errors::kCannotCreateObject));
  EXPECT_EQ(Bstr(exception.bstrSource).str(),
            Wide(k60418::ComposeSourceErreur("Module", "GetApplication", vb::kProjectName)));
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  // The script's variables: the application now Nothing, the handle a Long.
  EXPECT_EQ(V_VT(&application), VT_DISPATCH);
  EXPECT_EQ(V_DISPATCH(&application), nullptr);
  EXPECT_EQ(stub.references, 1u);
  EXPECT_EQ(V_VT(&handle), VT_I4);
  EXPECT_EQ(V_I4(&handle), -1);
  VariantClear(&arguments[2]);
}

TEST_F(LateBoundHost, InitQuestionArgumentsByNameMissingOrOfTheWrongType) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"InitQuestion"), const_cast<LPOLESTR>(L"ioHandleLogiciel"),
                      const_cast<LPOLESTR>(L"ioApplication"), const_cast<LPOLESTR>(L"isPathDossier"),
                      const_cast<LPOLESTR>(L"ilQuestion")};
  DISPID ids[5] = {};
  ASSERT_EQ(dispatch_->GetIDsOfNames(IID_NULL, names, 5, 0, ids), S_OK);
  EXPECT_EQ(ids[0], 6);
  // Named arguments, in any order: the handle is still written back.
  VARIANT handle;
  V_VT(&handle) = VT_I4;
  V_I4(&handle) = 1234;
  VARIANT arguments[4];
  V_VT(&arguments[0]) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&arguments[0]) = &handle;
  V_VT(&arguments[1]) = VT_DISPATCH;
  V_DISPATCH(&arguments[1]) = nullptr;
  V_VT(&arguments[2]) = VT_BSTR;
  V_BSTR(&arguments[2]) = SysAllocString(L"C:\\K60418\\");
  V_VT(&arguments[3]) = VT_I4;
  V_I4(&arguments[3]) = 201;
  DISPPARAMS named{arguments, &ids[1], 4, 4};
  EXCEPINFO exception{};
  EXPECT_EQ(dispatch_->Invoke(ids[0], IID_NULL, 0, DISPATCH_METHOD, &named, nullptr, &exception, nullptr),
            DISP_E_EXCEPTION);
  EXPECT_EQ(exception.scode, VbError(vb::errors::kCannotCreateObject));
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  EXPECT_EQ(V_VT(&handle), VT_I4);
  EXPECT_EQ(V_I4(&handle), -1);  // a window that no longer exists is forgotten

  // A text where the application goes: a type mismatch, on that argument.
  VARIANT wrong[4];
  std::copy(arguments, arguments + 4, wrong);
  V_VT(&wrong[1]) = VT_BSTR;
  V_BSTR(&wrong[1]) = V_BSTR(&arguments[2]);
  DISPPARAMS mismatched{wrong, &ids[1], 4, 4};
  UINT argument_error = 99;
  EXPECT_EQ(dispatch_->Invoke(ids[0], IID_NULL, 0, DISPATCH_METHOD, &mismatched, nullptr, &exception,
                              &argument_error),
            DISP_E_TYPEMISMATCH);
  EXPECT_EQ(argument_error, 1u);
  // Three of the four required arguments, or six arguments.
  DISPPARAMS missing{arguments, &ids[1], 3, 3};
  EXPECT_EQ(dispatch_->Invoke(ids[0], IID_NULL, 0, DISPATCH_METHOD, &missing, nullptr, &exception, nullptr),
            DISP_E_PARAMNOTFOUND);
  VARIANT six[6] = {};
  DISPPARAMS too_many{six, nullptr, 6, 0};
  EXPECT_EQ(dispatch_->Invoke(ids[0], IID_NULL, 0, DISPATCH_METHOD, &too_many, nullptr, &exception, nullptr),
            DISP_E_BADPARAMCOUNT);
  VariantClear(&arguments[2]);
}

TEST_F(LateBoundHost, QuitterWritesTheHandleBackIntoALongVariable) {
  IDispatch* application = nullptr;
  LONG handle = 77;
  VARIANT arguments[2];
  V_VT(&arguments[0]) = VT_BYREF | VT_I4;
  V_I4REF(&arguments[0]) = &handle;
  V_VT(&arguments[1]) = VT_BYREF | VT_DISPATCH;
  V_DISPATCHREF(&arguments[1]) = &application;
  DISPPARAMS parameters{arguments, nullptr, 2, 0};
  EXPECT_EQ(dispatch_->Invoke(IdOf(L"Quitter"), IID_NULL, 0, DISPATCH_METHOD, &parameters, nullptr, nullptr,
                              nullptr),
            S_OK);
  EXPECT_EQ(handle, 77);  // the module held no PowerPoint: nothing to end, the variables stay
  EXPECT_EQ(application, nullptr);
  // A by-reference Integer cannot take a Long back: refused before the call, as a type mismatch.
  SHORT small = 1;
  V_VT(&arguments[0]) = VT_BYREF | VT_I2;
  V_I2REF(&arguments[0]) = &small;
  EXPECT_EQ(dispatch_->Invoke(IdOf(L"Quitter"), IID_NULL, 0, DISPATCH_METHOD, &parameters, nullptr, nullptr,
                              nullptr),
            DISP_E_TYPEMISMATCH);
}

// --- The registry as DllRegisterServer left it ----------------------------------------------------

std::wstring DefaultValue(const std::wstring& key, const wchar_t* name = nullptr) {
  wchar_t value[1024] = {};
  DWORD size = sizeof(value);
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS)
    return L"<missing>";
  return value;
}

TEST(Registration, TheClassItsProgIdsAndTheTypeLibraries) {
  const std::wstring clsid = Wide(registration::kModuleClass.guid);
  const std::wstring key = L"CLSID\\" + clsid;
  EXPECT_EQ(DefaultValue(key), L"Module");
  EXPECT_EQ(lstrcmpiW(DefaultValue(key + L"\\InprocServer32").c_str(), server_test::DllPath().c_str()), 0)
      << DefaultValue(key + L"\\InprocServer32");
  EXPECT_EQ(DefaultValue(key + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
  EXPECT_EQ(DefaultValue(key + L"\\ProgID"), L"K60418.Module.1");
  EXPECT_EQ(DefaultValue(key + L"\\VersionIndependentProgID"), L"K60418.Module");
  EXPECT_EQ(DefaultValue(key + L"\\TypeLib"), Wide(registration::kTypeLibrary.guid));
  EXPECT_EQ(DefaultValue(L"K60418.Module\\CLSID"), clsid);
  EXPECT_EQ(DefaultValue(L"K60418.Module\\CurVer"), L"K60418.Module.1");
  EXPECT_EQ(DefaultValue(L"K60418.Module.1\\CLSID"), clsid);
  // The classes clients do not create have no class key.
  EXPECT_EQ(DefaultValue(L"CLSID\\" + Wide(registration::kComplementInfoClass.guid)), L"<missing>");

  BSTR path = nullptr;
  ASSERT_EQ(QueryPathOfRegTypeLib(GuidOf(registration::kTypeLibrary.guid), 1, 0, 0, &path), S_OK);
  EXPECT_EQ(lstrcmpiW(path, server_test::DllPath().c_str()), 0) << path;
  SysFreeString(path);
  EXPECT_EQ(DefaultValue(L"Interface\\" + Wide(registration::kModuleInterface.guid) + L"\\TypeLib"),
            Wide(registration::kTypeLibrary.guid));
  // The host contract library, from the copy beside the DLL.
  ASSERT_EQ(QueryPathOfRegTypeLib(GuidOf(registration::kHostTypeLibrary.guid), 1, 0, 0, &path), S_OK);
  std::wstring beside = server_test::DllPath();
  beside = beside.substr(0, beside.find_last_of(L'\\') + 1) + L"ContratHote.tlb";
  EXPECT_EQ(lstrcmpiW(path, beside.c_str()), 0) << path;
  SysFreeString(path);
}

// --- The DLL itself ------------------------------------------------------------------------------

TEST(ComServer, TheDllCanUnloadOnlyWithNoObjectAndNoLock) {
  HMODULE dll = LoadLibraryW(server_test::DllPath().c_str());
  ASSERT_TRUE(dll);
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();
  const auto get_class_object =
      reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
  const auto can_unload_now =
      reinterpret_cast<CanUnloadNow>(reinterpret_cast<void*>(GetProcAddress(dll, "DllCanUnloadNow")));
  ASSERT_TRUE(get_class_object && can_unload_now);
  EXPECT_EQ(can_unload_now(), S_OK);

  const auto factory_of = [&] {
    IClassFactory* factory = nullptr;
    EXPECT_EQ(get_class_object(GuidOf(registration::kModuleClass.guid), IID_IClassFactory,
                               reinterpret_cast<void**>(&factory)),
              S_OK);
    return factory;
  };
  void* unused = nullptr;
  EXPECT_EQ(get_class_object(GuidOf(registration::kComplementInfoClass.guid), IID_IClassFactory, &unused),
            CLASS_E_CLASSNOTAVAILABLE);

  // A live object keeps the DLL.
  IClassFactory* factory = factory_of();
  ASSERT_TRUE(factory);
  EXPECT_EQ(factory->CreateInstance(factory, IID_IUnknown, &unused), CLASS_E_NOAGGREGATION);
  IDispatch* module = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&module)), S_OK);
  factory->Release();
  EXPECT_EQ(can_unload_now(), S_FALSE);
  module->Release();
  EXPECT_EQ(can_unload_now(), S_OK);

  // So does a lock, with no object left.
  factory = factory_of();
  factory->LockServer(TRUE);
  factory->Release();
  EXPECT_EQ(can_unload_now(), S_FALSE);
  factory = factory_of();
  factory->LockServer(FALSE);
  factory->Release();
  EXPECT_EQ(can_unload_now(), S_OK);
  FreeLibrary(dll);
}

TEST(ComServer, TheVersionResourceNamesTheProductAndItsVersion) {
  const std::wstring path = server_test::DllPath();
  DWORD unused = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &unused);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> block(size);
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));
  const auto text = [&](const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\040C04E4\\") + name;
    if (!VerQueryValueW(block.data(), key.c_str(), &value, &length) || !value) return std::wstring(L"<missing>");
    return std::wstring(static_cast<const wchar_t*>(value));
  };
  EXPECT_EQ(text(L"ProductName"), L"K60418");
  EXPECT_EQ(text(L"ProductVersion"), Wide(K60418_VERSION));
  EXPECT_EQ(text(L"OriginalFilename"), L"K60418.dll");
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
}

}  // namespace
