// Something a frame can show. Mesh builders are the only visuals; a pick hit names one.
#pragma once

#include <memory>

namespace rm {

class Visual {
public:
    virtual ~Visual() = default;
};
using VisualPtr = std::shared_ptr<Visual>;

}  // namespace rm
