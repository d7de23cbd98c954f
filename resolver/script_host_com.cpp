// The Script Control, called late-bound through IDispatch. Every COM object
// and every VARIANT is owned by a guard, so each path releases what it took
// and leaves COM uninitialised after the host is gone.
#include "resolver/script_host_com.h"

#include <windows.h>

#include <ole2.h>
#include <oleauto.h>

#include <span>
#include <string>
#include <string_view>

#include "platform/ansi.h"
#include "resolver/script_host.h"

namespace quorvale {
namespace {

const Text kScriptControl = "ScriptControl";
constexpr std::u16string_view kJScript = u"JScript";

// One CoUninitialize for each CoInitialize that succeeded. A thread already in
// another apartment keeps it: uninitialising there would end the caller's COM.
class ComApartment {
 public:
  ComApartment() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~ComApartment() {
    if (initialised_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialised_;
};

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  T* get() const { return object_; }
  T* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }
  // For an out parameter: drops what is held first.
  void** put() {
    reset();
    return reinterpret_cast<void**>(&object_);
  }
  void reset() {
    if (object_ != nullptr) object_->Release();
    object_ = nullptr;
  }

 private:
  T* object_ = nullptr;
};

// VARIANTs, each cleared (its BSTR or SAFEARRAY freed) when they go.
template <std::size_t N>
class Variants {
 public:
  Variants() {
    for (VARIANT& v : values_) VariantInit(&v);
  }
  ~Variants() {
    for (VARIANT& v : values_) VariantClear(&v);
  }
  Variants(const Variants&) = delete;
  Variants& operator=(const Variants&) = delete;

  VARIANT& operator[](std::size_t i) { return values_[i]; }
  std::span<VARIANT> all() { return values_; }

 private:
  VARIANT values_[N];
};

void set_string(VARIANT& v, std::u16string_view text) {
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                                static_cast<UINT>(text.size()));
}

// Text arguments go as BSTRs converted from the ANSI code page.
void set_string(VARIANT& v, const Text& text) { set_string(v, ansi_to_utf16(text.view())); }

// Calls the member `name` of `object` by name with `args` (in DISPPARAMS
// order, last argument first), without an exception record.
bool invoke(IDispatch* object, const wchar_t* name, WORD flags, std::span<VARIANT> args,
            VARIANT* result) {
  DISPID member = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &member))) {
    return false;
  }
  DISPID property_put = DISPID_PROPERTYPUT;
  DISPPARAMS params = {args.data(), nullptr, static_cast<UINT>(args.size()), 0};
  if (flags == DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &property_put;
    params.cNamedArgs = 1;
  }
  return SUCCEEDED(object->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result,
                                  nullptr, nullptr));
}

bool class_id_of(const Text& prog_id, CLSID& clsid) {
  const std::u16string wide = ansi_to_utf16(prog_id.view());
  const auto* name = reinterpret_cast<LPCOLESTR>(wide.c_str());
  return SUCCEEDED(prog_id.view().starts_with('{') ? CLSIDFromString(name, &clsid)
                                                   : CLSIDFromProgID(name, &clsid));
}

// The Script Control, running and set to JScript; empty when it cannot be had.
void create_script_control(const Text& prog_id, ComPtr<IDispatch>& control) {
  CLSID clsid;
  if (!class_id_of(prog_id, clsid)) return;
  ComPtr<IUnknown> object;
  HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, object.put());
  if (hr == E_INVALIDARG) {
    hr = CoCreateInstance(clsid, nullptr,
                          CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER,
                          IID_IUnknown, object.put());
  }
  if (FAILED(hr) || FAILED(OleRun(object.get()))) return;
  if (FAILED(object->QueryInterface(IID_IDispatch, control.put()))) return;

  Variants<1> language;
  set_string(language[0], kJScript);
  if (!invoke(control.get(), L"Language", DISPATCH_PROPERTYPUT, language.all(), nullptr)) {
    control.reset();
  }
}

// Run(function) as ANSI text; empty when the call fails.
Text run_function(IDispatch* control, const Text& function) {
  // Run takes the procedure's name and a parameter array. The Windows control
  // accepts the name alone, Wine's only both; xx takes no parameters, so the
  // empty array is harmless to either.
  Variants<2> args;
  set_string(args[1], function);
  args[0].vt = VT_ARRAY | VT_VARIANT;
  args[0].parray = SafeArrayCreateVector(VT_VARIANT, 0, 0);
  if (args[0].parray == nullptr) return Text();

  Variants<1> result;
  if (!invoke(control, L"Run", DISPATCH_METHOD, args.all(), &result[0])) return Text();
  if (FAILED(VariantChangeType(&result[0], &result[0], 0, VT_BSTR))) return Text();
  const BSTR value = result[0].bstrVal;
  std::u16string_view wide(reinterpret_cast<const char16_t*>(value), SysStringLen(value));
  return Text(utf16_to_ansi(wide.substr(0, wide.find(u'\0'))));
}

}  // namespace

std::optional<Text> run_script_control(const Text& prog_id, const Text& script,
                                       const Text& function) {
  const ComApartment apartment;
  ComPtr<IDispatch> control;
  create_script_control(prog_id, control);
  if (!control) return std::nullopt;

  Variants<1> statement;
  set_string(statement[0], script);
  invoke(control.get(), L"ExecuteStatement", DISPATCH_METHOD, statement.all(), nullptr);
  return run_function(control.get(), function);
}

Text run_script_with_fallback(const Text& prog_id, const Text& script, const Text& function) {
  if (std::optional<Text> result = run_script_control(prog_id, script, function)) return *result;
  return run_script_builtin(script, function);
}

Text run_script_on_platform(const Text& script, const Text& function) {
  return run_script_with_fallback(kScriptControl, script, function);
}

}  // namespace quorvale
