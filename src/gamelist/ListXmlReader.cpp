#include "gamelist/ListXmlReader.h"

#include <QElapsedTimer>

namespace {

// Checking the clock costs more than a token; it is looked at every so often.
constexpr int kTokensPerClockCheck = 256;

bool isYes(const QStringView value) {
    return value == u"yes";
}

}  // namespace

ListXmlReader::ListXmlReader() {
    xml_.setNamespaceProcessing(false);
}

void ListXmlReader::addData(const QByteArray& bytes) {
    if (!done_) {
        xml_.addData(bytes);
    }
}

void ListXmlReader::endOfData() {
    ended_ = true;
}

bool ListXmlReader::parse(std::chrono::milliseconds budget) {
    QElapsedTimer clock;
    clock.start();
    wantsData_ = false;
    for (int tokens = 1; !done_; ++tokens) {
        if (tokens % kTokensPerClockCheck == 0 && clock.elapsed() >= budget.count()) {
            return false;
        }
        switch (xml_.readNext()) {
            case QXmlStreamReader::StartElement:
                ++depth_;
                startElement();
                break;
            case QXmlStreamReader::EndElement:
                endElement();
                --depth_;
                break;
            case QXmlStreamReader::Characters:
                if (text_ != nullptr && text_->size() < kMaxText) {
                    text_->append(xml_.text().left(kMaxText - text_->size()));
                }
                break;
            case QXmlStreamReader::EndDocument:
                done_ = true;
                break;
            case QXmlStreamReader::Invalid:
                if (xml_.error() != QXmlStreamReader::PrematureEndOfDocumentError) {
                    fail(xml_.errorString());
                } else if (ended_) {
                    fail(QStringLiteral("The list ends before its last machine."));
                } else {
                    wantsData_ = true;
                    return false;
                }
                break;
            default:
                break;
        }
    }
    return true;
}

void ListXmlReader::startElement() {
    const QStringView name = xml_.name();
    if (machineDepth_ == 0) {
        // Older emulators call a machine a game.
        if (name == u"machine" || name == u"game") {
            const QXmlStreamAttributes attributes = xml_.attributes();
            machineDepth_ = depth_;
            machine_ = {};
            name_ = attributes.value(QLatin1StringView("name")).left(kMaxText).toString();
            machine_.device = isYes(attributes.value(QLatin1StringView("isdevice"))) ||
                              attributes.value(QLatin1StringView("runnable")) == u"no";
            machine_.bios = isYes(attributes.value(QLatin1StringView("isbios")));
            machine_.mechanical = isYes(attributes.value(QLatin1StringView("ismechanical")));
        }
        return;
    }
    if (depth_ != machineDepth_ + 1) {
        return;
    }
    if (name == u"year") {
        text_ = &machine_.year;
    } else if (name == u"manufacturer") {
        text_ = &machine_.manufacturer;
    } else if (name == u"driver") {
        machine_.driverStatus =
            xml_.attributes().value(QLatin1StringView("status")).left(kMaxText).toString();
    }
}

void ListXmlReader::endElement() {
    if (machineDepth_ == 0) {
        return;
    }
    if (depth_ == machineDepth_ + 1) {
        text_ = nullptr;
        return;
    }
    if (depth_ != machineDepth_) {
        return;
    }
    machineDepth_ = 0;
    if (name_.isEmpty()) {
        return;
    }
    if (facts_.size() >= kMaxMachines && !facts_.contains(name_)) {
        fail(QStringLiteral("The list names more machines than any emulator has."));
        return;
    }
    machine_.year = machine_.year.simplified();
    machine_.manufacturer = machine_.manufacturer.simplified();
    facts_.insert(name_, machine_);
}

void ListXmlReader::fail(const QString& message) {
    error_ = message;
    done_ = true;
    facts_.clear();
}
