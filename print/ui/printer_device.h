// The print device over a QPrinter chosen in the print dialog (paper, or a
// PDF file where the dialog offers one).
#pragma once

#include "print/ui/painter_device.h"

class QPrinter;

namespace r7t {

class PrinterDevice : public PainterDevice {
public:
    explicit PrinterDevice(QPrinter& printer);

    int startDoc(const std::string& documentName) override;

protected:
    void abandonActive() override;
    void discardOutput() override;

private:
    QPrinter& printer_;
};

} // namespace r7t
