// What the two lexers of the reader (text and binary) tell the parser about the next item.
#pragma once

namespace xfile {

enum class TokenKind { kEnd, kName, kString, kNumber, kOBrace, kCBrace, kGuid, kTemplate, kOther };

}  // namespace xfile
