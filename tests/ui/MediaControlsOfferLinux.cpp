#include <QMetaMethod>

#include "MediaControlsOffer.h"
#include "session/MprisPlayerAdaptor.h"
#include "session/MprisRootAdaptor.h"

std::optional<bool> MediaControlsOffer(const char* call) {
    const auto offers = [call](const QMetaObject& meta) {
        if (meta.indexOfProperty(call) >= 0) return true;
        for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
            if (meta.method(i).name() == call) return true;
        }
        return false;
    };
    return offers(MprisPlayerAdaptor::staticMetaObject) ||
           offers(MprisRootAdaptor::staticMetaObject);
}
