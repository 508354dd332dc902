// The PJL job header of a PDEV: the one entry the job engine calls to write
// it, and the PJL state the PDEV keeps (the command templates of
// VELDRANP.QXD, loaded when the PDEV is enabled, and the job data the
// document-start escapes deliver for the header).
//
//   Pjl_WriteStartCommands(pdev)  writes the header through Rdc_WriteBytes
//                                 (the capture spool while capturing, else
//                                 the PDEV's output buffer)
#pragma once

#include <cstdint>

#include "common/records/fax_send_block.h"
#include "drender/pjl/pjl_templates.h"

struct RenderPdev;

inline constexpr uint32_t kPjlJobIdSize = 64;

struct RenderPjlState {
  PjlTemplateSet templates;
  // Job data of the document start (the fax block is the job engine's).
  uint32_t replayDestination;   // destination of the replay being written
  char driverJobId[kPjlJobIdSize];
  bool haveTimer;
  uint16_t timer[5];            // year, month, day, hour, minute of a delayed send
  // Left by the header for the replay: the copy count of "Collate", 0 when
  // the header set none.
  uint32_t collateCopies;
  // Set by the job engine for a job it lays out itself (N-up, driver
  // booklet): the orientation of its sheets, which the header names; 0 for
  // the settings' own.
  uint8_t sheetOrientation;
};

// Reads the templates of VELDRANP.QXD beside the render core's module into
// a new PJL state of the PDEV (at enable); nothing is written later when
// the file or a section is missing.
void Pjl_LoadTemplates(RenderPdev* pdev);
// Frees the PJL state (at disable).
void Pjl_FreeTemplates(RenderPdev* pdev);
// Hands the job data of the PJL state to the PDEV that takes the job over.
void Pjl_MoveJobData(RenderPdev* from, RenderPdev* to);

// Writes the PJL job header of the job.  Returns the number of rows walked
// (0 without templates or with an invalid PDEV).
uint32_t Pjl_WriteStartCommands(RenderPdev* pdev);
// Writes the PJL trailer of the job: the command "EndJob" of the row
// "Trailer" of the job-end templates.  1 when written.
uint32_t Pjl_WriteTrailer(RenderPdev* pdev);
