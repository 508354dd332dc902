// A test host for the render core: it plays GDI and the graphics-driver
// entry library.  The program that links it exports the engine services the
// render core binds by name (ddi_host_engine.cpp), and DdiHost drives the
// render core through the function table that QueryFunctionTblPtr hands
// out: PDEVs, surfaces, escapes, documents and pages.  The bytes a job
// writes reach the spooler job the host opened (a printer on a FILE: port
// writes them to the file named for the job).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "common/records/fax_send_block.h"

#include "drender/ddi/ddi_types.h"

// A device record of the host: what GDI keeps for a PDEV.  The render core
// sees it as the HDEV it is given.
struct HostDevice {
  uint32_t magic;
  DHPDEV pdev;
};

// Live objects of the engine services, for leak checks.
struct HostObjectCounts {
  int palettes;
  int surfaces;
  int modules;
};
HostObjectCounts DdiHost_LiveObjects();
// Hooks and banding mark of a surface the engine created (0 when unknown).
FLONG DdiHost_SurfaceHooks(HSURF surface);
bool DdiHost_SurfaceIsBanded(HSURF surface);
// The driver's DrvRealizeBrush that pattern brushes call back.
void DdiHost_SetRealizeBrush(PFN realize);
// The SURFOBJ of a surface the engine created (null when unknown).
SURFOBJ* EngLockSurfaceForHost(HSURF surface);
// The colour mode of a palette the engine created (0 when unknown).
ULONG DdiHost_PaletteMode(HPALETTE palette);

// Objects a test builds and hands to the driver's drawing calls, as GDI
// would: each enumerates what the test put into it.
class HostClip {
 public:
  // No rectangles: a trivial clip (everything is visible).
  explicit HostClip(std::vector<RECTL> rects = {});
  ~HostClip();
  HostClip(const HostClip&) = delete;
  HostClip& operator=(const HostClip&) = delete;
  CLIPOBJ* get();

 private:
  void* impl_;
};

struct HostSubpath {
  std::vector<POINTFIX> points;
  bool closed = false;
  bool beziers = false;
  // A figure of lines and curves comes as several records: `continues`
  // goes on from the last point of the record before (no begin mark, its
  // points are all new), `goesOn` is followed by such a record (no end mark).
  bool continues = false;
  bool goesOn = false;
};

class HostPath {
 public:
  explicit HostPath(std::vector<HostSubpath> subpaths);
  ~HostPath();
  HostPath(const HostPath&) = delete;
  HostPath& operator=(const HostPath&) = delete;
  PATHOBJ* get();

 private:
  void* impl_;
};

// A colour translation: the identity, or a table from source indexes.
class HostXlate {
 public:
  HostXlate();
  explicit HostXlate(std::vector<ULONG> table, std::vector<ULONG> sourcePalette = {});
  // A translation of direct colours by a function (exchange of red and
  // blue, 5-5-5 pixels to RGB, ...).
  explicit HostXlate(ULONG (*translate)(ULONG colour));
  ~HostXlate();
  HostXlate(const HostXlate&) = delete;
  HostXlate& operator=(const HostXlate&) = delete;
  XLATEOBJ* get();

 private:
  void* impl_;
};

// A solid brush, or a pattern brush whose realisation the engine asks of
// the driver's DrvRealizeBrush (bound by DdiHost::Load) when the driver
// first asks for it.
class HostBrush {
 public:
  explicit HostBrush(ULONG solidColor);
  // `pattern` is an engine bitmap (EngCreateBitmap); `target` the surface
  // drawn on; `hatch` the hatch style of a hatch brush (its pattern then
  // one bit a pixel, 0 the hatch's colour), HS_DDI_MAX (6) for a pattern.
  HostBrush(HSURF pattern, SURFOBJ* target, XLATEOBJ* xlate, ULONG hatch = 6);
  ~HostBrush();
  HostBrush(const HostBrush&) = delete;
  HostBrush& operator=(const HostBrush&) = delete;
  BRUSHOBJ* get();
  int realizeCalls() const;

 private:
  void* impl_;
};

class DdiHost {
 public:
  DdiHost() = default;
  ~DdiHost();
  DdiHost(const DdiHost&) = delete;
  DdiHost& operator=(const DdiHost&) = delete;

  // Loads the render core and takes its function table the way the entry
  // library does: the row count first, then all rows.  False when the
  // library does not load or the table cannot be had.
  bool Load(const std::wstring& path);
  void Unload();
  HMODULE module() const { return module_; }
  // The function of a driver-interface index, or null.
  PFN Function(ULONG index) const;
  template <typename Fn>
  Fn Get(ULONG index) const {
    return FromPfn<Fn>(Function(index));
  }

  // DrvEnablePDEV (then DrvCompletePDEV on success) for a printer opened by
  // the caller.  The capability buffers are the caller's, of the sizes given.
  DHPDEV EnablePdev(HANDLE printer, const wchar_t* printerName, DEVMODEW* devmode, ULONG gdiInfoSize,
                    void* gdiInfo, ULONG devInfoSize, void* devInfo);
  void DisablePdev(DHPDEV pdev);
  BOOL ResetPdev(DHPDEV oldPdev, DHPDEV newPdev);
  // What the last PDEV enabled told GDI of its device (resolution,
  // printable area).
  const GDIINFO& gdiInfo() const { return gdiInfo_; }
  // The HDEV the host gave a PDEV.
  HDEV DeviceOf(DHPDEV pdev) const;

  // DrvEnableSurface, and the engine's SURFOBJ of the surface it made.
  SURFOBJ* EnableSurface(DHPDEV pdev);
  void DisableSurface(DHPDEV pdev);
  // DrvEscape on a surface of the PDEV.
  ULONG Escape(SURFOBJ* surface, ULONG code, ULONG inSize, const void* in, ULONG outSize, void* out);

  // A whole job as GDI runs it on a printer DC: enable the PDEV and its
  // surface, open a spooler job whose bytes go to `outputFile`, start the
  // document, run `pages` pages (calling `draw` on each, when given), end
  // the document and take everything down again.  `failedStep` names the
  // first call that failed.
  struct JobResult {
    bool ok = false;
    std::string failedStep;
    DWORD jobId = 0;
  };
  JobResult RunJob(HANDLE printer, const wchar_t* printerName, DEVMODEW* devmode, const wchar_t* docName,
                   const wchar_t* outputFile, int pages,
                   const std::function<void(SURFOBJ*, int page)>& draw = nullptr);

  // A whole fax job as GDI and the user interface core run it on a printer
  // DC: the private escapes of the start-document event (job identifier,
  // device options read back and sent again, the fax block, a cancelled
  // destination dialog), DrvStartDoc, the drop queries of the
  // start-document-post event, the pages (each between DrvStartPage and
  // DrvSendPage, with the job record read at both ends and the watermark
  // brackets), at the end-document event the fax cover pages (one per
  // destination when the cover sheet addresses each recipient) and the
  // escapes before DrvEndDoc, DrvEndDoc, and the escapes of the
  // end-document-post event.
  struct FaxJob {
    const wchar_t* docName = L"Fax job";
    const wchar_t* outputFile = nullptr;
    int pages = 1;
    // Drawing on each page and on each cover page (index from 0).
    std::function<void(SURFOBJ*, int page)> draw;
    std::function<void(SURFOBJ*, int cover)> drawCover;
    const FaxSendBlock* fax = nullptr;  // sent when given
    std::string jobId;                  // sent when not empty
    bool cancelFax = false;             // the destination dialog was cancelled
    bool sendLastPage = true;           // false: the last page is never sent
    bool abort = false;                 // DrvEndDoc with ED_ABORTDOC
    DEVMODEW* devmode = nullptr;
    // The user interface core's document events in place of the escapes
    // the host plays itself, where GDI sends them: called with the event
    // code (5 before DrvStartDoc, 13 after it with the spooler's job number,
    // 6 before each DrvStartPage, 7 before each DrvSendPage, 8 before
    // DrvEndDoc, 12 after it) and the surface the core's escapes go to; a
    // result of -1 fails the job.
    std::function<int(int event, SURFOBJ* surface, DWORD jobId)> events;
  };
  JobResult RunFaxJob(HANDLE printer, const wchar_t* printerName, const FaxJob& job);

  // A spooler job on an opened printer whose bytes go to `outputFile`; the
  // job id, or 0 on failure.
  static DWORD StartSpoolerJob(HANDLE printer, const wchar_t* docName, const wchar_t* outputFile);
  static bool EndSpoolerJob(HANDLE printer);

 private:
  HMODULE module_ = nullptr;
  DRVFN rows_[64] = {};
  DWORD rowCount_ = 0;
  HostDevice devices_[8] = {};
  GDIINFO gdiInfo_ = {};
};
