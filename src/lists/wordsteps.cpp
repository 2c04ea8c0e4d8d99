#include "lists/wordsteps.h"

CWordSteps::Buttons CWordSteps::Enabled() const
{
    Buttons buttons;
    switch (m_step) {
    case Step::Ready:
        buttons.record = m_bCanRecord;
        buttons.speak = true;
        break;
    case Step::Recording:
        buttons.stop = m_bCanRecord;
        break;
    case Step::Recorded:
        buttons.play = true;
        break;
    case Step::Heard:
        buttons.play = buttons.add = buttons.redo = true;
        break;
    }
    return buttons;
}
