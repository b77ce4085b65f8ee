#include "pages/PageSender.h"

#include <utility>

#include "pages/DeferredSender.h"
#include "pages/ImmediateSender.h"

namespace quavelo {

std::unique_ptr<PageSender> PageSender::Make(PageSends sends, PageContext& context, Clock clock) {
    switch (sends) {
        case PageSends::Immediate:
            return std::make_unique<ImmediateSender>(context);
        case PageSends::Deferred:
            return std::make_unique<DeferredSender>(context, std::move(clock));
    }
    return nullptr;  // not reached: a PageSends holds one of the values above
}

}  // namespace quavelo
