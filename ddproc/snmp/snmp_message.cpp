#include "ddproc/snmp/snmp_message.h"

#include <cstring>

#include "ddproc/snmp/ber_codec.h"

std::vector<uint8_t> SnmpEncodeRequest(const char* community, uint8_t pdu_type, int32_t request_id,
                                       const SnmpBindingList& bindings) {
  std::vector<uint8_t> list{0x30, 0x00};
  for (uint32_t i = 0; bindings.list != nullptr && i < bindings.count; ++i) {
    const SnmpBinding& b = bindings.list[i];
    std::vector<uint8_t> encoded;
    BerEncodeVarBind(b.name.arcs, b.name.count, b.value.type == kAsnNull, &encoded);
    BerAppendChild(&list, encoded);
  }
  std::vector<uint8_t> pdu{pdu_type, 0x00};
  std::vector<uint8_t> element;
  BerEncodeInteger(request_id, &element);
  BerAppendChild(&pdu, element);
  for (int i = 0; i < 2; ++i) {  // error status, error index
    element.clear();
    BerEncodeInteger(0, &element);
    BerAppendChild(&pdu, element);
  }
  BerAppendChild(&pdu, list);

  std::vector<uint8_t> message{0x30, 0x00};
  element.clear();
  BerEncodeInteger(0, &element);  // version 1
  BerAppendChild(&message, element);
  if (community != nullptr) {
    element.clear();
    BerEncodeTlv(0x04, reinterpret_cast<const uint8_t*>(community), std::strlen(community), &element);
    BerAppendChild(&message, element);
  }
  BerAppendChild(&message, pdu);
  return message;
}

namespace {

// Reads the next element, which must carry `tag`.
bool Expect(const uint8_t* data, size_t size, size_t* pos, uint8_t tag, BerElement* element) {
  return BerDecodeTlv(data, size, pos, element) && element->tag == tag;
}

// Reads the next primitive element with `tag` and steps over its content.
bool ExpectPrimitive(const uint8_t* data, size_t size, size_t* pos, uint8_t tag, BerElement* element) {
  if (!Expect(data, size, pos, tag, element)) return false;
  *pos = element->content + element->length;
  return true;
}

bool IsNumberTag(uint8_t tag) {
  return tag == kAsnInteger || tag == kAsnCounter32 || tag == kAsnGauge32 || tag == kAsnTimeTicks;
}

bool IsBytesTag(uint8_t tag) {
  return tag == kAsnOctetString || tag == kAsnNull || tag == kAsnSequence || tag == kAsnIpAddress ||
         tag == kAsnOpaque;
}

}  // namespace

SnmpDecodeResult SnmpDecodeAnswer(const uint8_t* data, size_t size, const char* community, int32_t expected_id,
                                  SnmpAnswer* answer) {
  std::memset(answer, 0, sizeof(*answer));
  size_t pos = 0;
  BerElement e;
  if (!Expect(data, size, &pos, kAsnSequence, &e)) return SnmpDecodeResult::kBadFormat;
  if (!ExpectPrimitive(data, size, &pos, kAsnInteger, &e)) return SnmpDecodeResult::kBadFormat;  // version
  if (!ExpectPrimitive(data, size, &pos, kAsnOctetString, &e)) return SnmpDecodeResult::kBadFormat;
  size_t ours = community != nullptr ? std::strlen(community) : 0;
  answer->community_matches = e.length == ours && (ours == 0 || std::memcmp(data + e.content, community, ours) == 0);
  if (!Expect(data, size, &pos, kSnmpPduGetResponse, &e)) return SnmpDecodeResult::kBadFormat;
  if (!ExpectPrimitive(data, size, &pos, kAsnInteger, &e)) return SnmpDecodeResult::kBadFormat;
  answer->request_id = BerDecodeInteger(data + e.content, e.length);
  if (answer->request_id != expected_id) return SnmpDecodeResult::kWrongRequestId;
  if (!ExpectPrimitive(data, size, &pos, kAsnInteger, &e)) return SnmpDecodeResult::kBadFormat;
  answer->error_status = BerDecodeInteger(data + e.content, e.length);
  if (!ExpectPrimitive(data, size, &pos, kAsnInteger, &e)) return SnmpDecodeResult::kBadFormat;
  answer->error_index = BerDecodeInteger(data + e.content, e.length);
  if (!Expect(data, size, &pos, kAsnSequence, &e)) return SnmpDecodeResult::kBadFormat;  // binding list
  if (!Expect(data, size, &pos, kAsnSequence, &e)) return SnmpDecodeResult::kBadFormat;  // first binding
  if (!ExpectPrimitive(data, size, &pos, kAsnObjectId, &e)) return SnmpDecodeResult::kBadFormat;  // its name
  if (!BerDecodeTlv(data, size, &pos, &e)) return SnmpDecodeResult::kBadFormat;
  answer->value_tag = e.tag;
  const uint8_t* content = data + e.content;
  if (IsNumberTag(e.tag)) {
    answer->number = BerDecodeInteger(content, e.length);
  } else if (IsBytesTag(e.tag)) {
    answer->bytes = content;
    answer->length = e.length;
  } else if (e.tag == kAsnObjectId) {
    if (!BerDecodeOid(content, e.length, answer->arcs, kSnmpMaxAnswerArcs, &answer->arc_count)) {
      return SnmpDecodeResult::kBadFormat;
    }
  } else {
    return SnmpDecodeResult::kBadFormat;
  }
  return SnmpDecodeResult::kOk;
}

void SnmpReleaseValue(const SnmpAllocator& memory, SnmpAny* value) {
  if (IsBytesTag(value->type) || value->type == kAsnBitString) {
    if (value->value.string.dynamic && value->value.string.stream != nullptr) memory.free(value->value.string.stream);
  } else if (value->type == kAsnObjectId) {
    if (value->value.object.arcs != nullptr) memory.free(value->value.object.arcs);
  }
  std::memset(value, 0, sizeof(*value));
  value->type = kAsnNull;
}

bool SnmpStoreAnswerValue(const SnmpAnswer& answer, const SnmpAllocator& memory, SnmpBinding* binding) {
  SnmpAny value;
  std::memcpy(&value, &binding->value, sizeof(value));
  SnmpReleaseValue(memory, &value);
  if (IsNumberTag(answer.value_tag)) {
    value.value.number = answer.number;
  } else if (IsBytesTag(answer.value_tag)) {
    if (answer.length > 0) {
      auto* copy = static_cast<uint8_t*>(memory.alloc(static_cast<uint32_t>(answer.length)));
      if (copy == nullptr) {
        std::memcpy(&binding->value, &value, sizeof(value));
        return false;
      }
      std::memcpy(copy, answer.bytes, answer.length);
      value.value.string.stream = copy;
      value.value.string.length = static_cast<uint32_t>(answer.length);
      value.value.string.dynamic = 1;
    }
  } else if (answer.value_tag == kAsnObjectId) {
    if (answer.arc_count > 0) {
      auto* arcs = static_cast<uint32_t*>(memory.alloc(static_cast<uint32_t>(answer.arc_count * sizeof(uint32_t))));
      if (arcs == nullptr) {
        std::memcpy(&binding->value, &value, sizeof(value));
        return false;
      }
      std::memcpy(arcs, answer.arcs, answer.arc_count * sizeof(uint32_t));
      value.value.object.arcs = arcs;
      value.value.object.count = static_cast<uint32_t>(answer.arc_count);
    }
  } else {
    std::memcpy(&binding->value, &value, sizeof(value));
    return false;
  }
  value.type = answer.value_tag;
  std::memcpy(&binding->value, &value, sizeof(value));
  return true;
}
