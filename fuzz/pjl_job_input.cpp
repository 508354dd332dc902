#include "fuzz/pjl_job_input.h"

#include <cstring>

#include "common/cipher/password_cipher.h"
#include "common/cipher/ui_encryption_info.h"
#include "common/qxd/paper_tables.h"
#include "common/records/builtin_dev_option.h"
#include "dproc/model/default_settings.h"
#include "drender/pjl/pjl_model_values.h"
#include "drender/pjl/pjl_templates.h"
#include "drender/model/color_setting_command.h"

namespace {

uint32_t Gather(void* target, const void* bytes, uint32_t length) {
  static_cast<std::string*>(target)->append(static_cast<const char*>(bytes), length);
  return 1;
}

// The render core's decipherment, with the description's settings and no
// device key text.
uint32_t Decipher(void*, uint8_t* buffer, uint32_t length, uint32_t size, bool aes) {
  const UiEncryptionInfo info = {kCipherMethodDes, 1, 0};
  if (aes) {
    const int32_t n = DecryptPasswordAesWithKey(info, nullptr, buffer, length, size);
    return n > 0 ? static_cast<uint32_t>(n) : 0;
  }
  return DecryptPasswordWithKey(info, nullptr, buffer, length, size);
}

struct SampleParts {
  DevOption option;
  DeviceOptionItem* options = nullptr;
  ColorSettingCommand* colors = nullptr;
  SampleParts() {
    InitBuiltInDevOption(&option);
    options = LoadDeviceOptionList(SampleModelContext(), SampleModel(), &option);
    colors = Rdc_BuildColorSettingCommand(SampleModelContext());
  }
};

SampleParts& Parts() {
  static SampleParts* parts = new SampleParts();
  return *parts;
}

}  // namespace

const CommandTemplateList* SampleStartCommands() {
  static const CommandTemplateList* commands = [] {
    const std::vector<uint8_t>& bytes = SampleModelFile("VELDRANP.QXD");
    QxdContext* file = QxdOpenImage(bytes.data(), bytes.size());
    const CommandTemplateList* list = Pjl_LoadTemplateSection(file, "PJL_StartCommand");
    QxdClose(file);
    return list;
  }();
  return commands;
}

void InitFuzzPjlJob(FuzzPjlJob* f, const CommandTemplateList* commands) {
  std::memset(f->work.get(), 0, sizeof(WorkDevMode));
  std::memset(f->fax.get(), 0, sizeof(FaxSendBlock));
  InitBuiltInDocDMode(&f->work->devmode.doc);
  f->work->device.option = Parts().option;
  PjlJob& job = f->job;
  job.doc = &f->work->devmode.doc;
  job.device = &f->work->device;
  job.model = SampleModel();
  job.deviceOptions = Parts().options;
  job.values = Pjl_ModelValues(SampleModel());
  job.startCommands = commands;
  job.colorCommands = Parts().colors;
  job.userName = u"fuzz";
  job.jobName = u"Document.txt";
  job.driverJobId = "JOB-1";
  job.write = &Gather;
  job.writeTarget = &f->out;
  job.wide = &Pjl_PortableWide;
  job.ansiToUtf8 = &Pjl_PortableAnsiToUtf8;
  job.decipher = &Decipher;
}
