// A small corpus of spooled pages: enhanced metafiles drawn with the
// system's GDI as an application draws a page (text in several faces and
// sizes, shapes and paths, images, gradients, clipping, transforms and
// mapping modes), for the tests and the sample tool.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The number of pages, and each page's name ("text", "shapes", ...).
int EmfCorpus_Pages();
const char* EmfCorpus_Name(int page);
// The bytes of page `page`, recorded against the screen on an A4 frame;
// empty when the system could not record it.
std::vector<uint8_t> EmfCorpus_Page(int page);
