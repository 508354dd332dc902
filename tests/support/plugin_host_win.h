// A stand-in for the printing core's property sheets as a plug-in host: the
// document page record a sheet context points at, with the core's option
// items (one per DMPUB id given, each with the options given: a text, or a
// resource id written as MAKEINTRESOURCEW), its standard DEVMODE, and a
// record of every item the driver hands back to the core (the item's id, its
// selection and its check box at the time of the call).
#pragma once

#include <windows.h>
#include <winddiui.h>

#include <memory>
#include <string>
#include <vector>

#include "common/records/sheet_session.h"

namespace testsupport {

struct HostItemUpdate {
  BYTE dmPubId;
  LONG selection;
  bool checked;  // OPTIF_ECB_CHECKED
};

struct HostItemSpec {
  BYTE dmPubId;
  std::vector<const wchar_t*> options;
};

class PluginHost {
 public:
  PluginHost(DocDMode* settings, HANDLE printer, const std::vector<HostItemSpec>& items) {
    *doc_ = PluginDocPage{};
    types_.resize(items.size());
    params_.resize(items.size());
    items_.resize(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
      for (const wchar_t* option : items[i].options) {
        OPTPARAM param = {};
        param.cbSize = sizeof param;
        param.pData = const_cast<wchar_t*>(option);
        params_[i].push_back(param);
      }
      types_[i].cbSize = sizeof(OPTTYPE);
      types_[i].Count = static_cast<WORD>(params_[i].size());
      types_[i].pOptParam = params_[i].data();
      items_[i].cbSize = sizeof(OPTITEM);
      items_[i].DMPubID = items[i].dmPubId;
      items_[i].pOptType = &types_[i];
      items_[i].Flags = OPTIF_HIDE;
    }
    publicDm_.dmSize = sizeof publicDm_;
    ps_.hPrinter = printer;
    ps_.pOEMDM = settings;
    ps_.poemuiobj = &uiObject_;
    cui_.pPublicDM = &publicDm_;
    cui_.pDrvOptItems = items_.data();
    cui_.cDrvOptItems = static_cast<DWORD>(items_.size());
    doc_->marker = 0x5A;
    doc_->kind = kPluginDocumentKind;
    doc_->cuiParam = &cui_;
    doc_->coreUi = &core_;
    doc_->psParam = &ps_;
    Current() = this;
  }
  ~PluginHost() { Current() = nullptr; }
  PluginHost(const PluginHost&) = delete;
  PluginHost& operator=(const PluginHost&) = delete;

  // What a sheet context's lParam holds on this host.
  PluginDocPage* Page() { return doc_.get(); }
  DEVMODEW& PublicDevMode() { return publicDm_; }
  const std::vector<HostItemUpdate>& Updates() const { return updates_; }
  // The item of that id as it stands; null when the host has none.
  const OPTITEM* Item(BYTE dmPubId) const {
    for (const OPTITEM& item : items_) {
      if (item.DMPubID == dmPubId) return &item;
    }
    return nullptr;
  }
  // The last update of that item; null when the driver handed it back never.
  const HostItemUpdate* LastUpdate(BYTE dmPubId) const {
    for (auto it = updates_.rbegin(); it != updates_.rend(); ++it) {
      if (it->dmPubId == dmPubId) return &*it;
    }
    return nullptr;
  }

 private:
  static PluginHost*& Current() {
    static PluginHost* host = nullptr;
    return host;
  }
  static HRESULT STDMETHODCALLTYPE Update(PrintCoreUi*, PVOID, PVOID optItem, DWORD, DWORD) {
    const auto* item = static_cast<const OPTITEM*>(optItem);
    if (Current() != nullptr && item != nullptr) {
      Current()->updates_.push_back({item->DMPubID, item->Sel, (item->Flags & OPTIF_ECB_CHECKED) != 0});
    }
    return S_OK;
  }
  static constexpr PrintCoreUiVtbl kVtbl = {nullptr, nullptr, nullptr, nullptr, nullptr, &PluginHost::Update};

  OEMUIOBJ uiObject_ = {sizeof(OEMUIOBJ), nullptr};
  OEMUIPSPARAM ps_ = {};
  OEMCUIPPARAM cui_ = {};
  PrintCoreUi core_ = {&kVtbl};
  std::vector<std::vector<OPTPARAM>> params_;
  std::vector<OPTTYPE> types_;
  std::vector<OPTITEM> items_;
  DEVMODEW publicDm_ = {};
  std::unique_ptr<PluginDocPage> doc_ = std::make_unique<PluginDocPage>();
  std::vector<HostItemUpdate> updates_;
};

}  // namespace testsupport
