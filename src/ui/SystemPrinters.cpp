#include "ui/PrintSurface.h"

#include <QPrinterInfo>

namespace {

class SystemPrinters : public Printers
{
public:
    QStringList names() override { return QPrinterInfo::availablePrinterNames(); }
    std::unique_ptr<PrintSurface> open(const QString&) override { return nullptr; }
};

} // namespace

std::unique_ptr<Printers> createSystemPrinters() { return std::make_unique<SystemPrinters>(); }
