#include "context/ErrorGuard.h"

#include "platform/Dialogs.h"
#include "settings/StoreError.h"

void ErrorGuard::show(const std::exception& error) const {
    const auto* storeError = dynamic_cast<const StoreError*>(&error);
    const QString text = storeError ? storeError->message() : QString::fromUtf8(error.what());
    dialogs_->messageBox(text, MessageKind::Error, MessageButtons::Ok);
}
