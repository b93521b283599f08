#include "core/accurateexcite.h"

#include "core/accuratelines.h"
#include "core/chargedots.h"
#include "core/eventpump.h"
#include "core/fieldlinedrawing.h"
#include "core/float32.h"
#include "core/inputcheck.h"
#include "core/messages.h"
#include "core/plotgeometry.h"
#include "core/plotsurface.h"

#include <exception>
#include <new>

Charges exciteAccurately(const Configuration &configuration, PlotSurface &surface, std::vector<Message> &messages,
                         EventPump &events)
{
    // The plot as 激　发 sets it up, at the 9:5 shape of its coordinates.
    surface.Cls();
    surface.Width(f32(double(surface.Height()) * 90 / 50));
    surface.Scale(Plot::kLeft, Plot::kTop, Plot::kRight, Plot::kBottom);
    surface.AutoRedraw(true);

    Charges charges;
    if (const Message *refusal = configurationRefusal(configuration, charges)) {
        messages.push_back(*refusal);
        return {};
    }
    try {
        const std::vector<TracedLine> lines = accurateFieldLines(charges);
        events.DoEvents();
        surface.setLayers(Layer::FieldLines, Layer::Dots);
        drawFieldLines(surface, lines, charges);
        surface.setLayers(Layer::Dots, Layer::Dots);
        drawSignedChargeDots(surface, charges);
        surface.DrawWidth(20);
    } catch (const ProgramEnding &) {
        // The window is closing: stop at once.
    } catch (const std::bad_alloc &) {
        messages.push_back(Messages::OutOfMemory);
    } catch (const std::exception &) {
        messages.push_back(Messages::UnexpectedFailure);
    }
    return charges;
}
