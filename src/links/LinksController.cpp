#include "links/LinksController.h"

#include "common/IniFile.h"
#include "links/LinkObjects.h"
#include "links/LinkPeers.h"
#include "settings/LinkConnections.h"

namespace kvt {

using links::LinkKind;

LinksController::LinksController(LinksContext context)
    : context_(std::move(context)),
      radioEvents_(LinkKind::Radio, context_.zigBee, context_.indicators, context_.log, context_.objects),
      rs485Events_(LinkKind::Rs485, context_.rs485, context_.indicators, context_.log, context_.objects),
      radioQueue_(radioEvents_),
      rs485Queue_(rs485Events_),
      radioEngine_(context_.radioPort, radioLink_, radioQueue_, context_.clock),
      rs485Engine_(context_.rs485Port, rs485Link_, rs485Queue_, context_.clock),
      radioWork_({LinkKind::Radio, context_.radioPort, radioEngine_, [this] { handOverRadioPeers(); },
                  context_.indicators, context_.log, context_.clock}),
      rs485Work_({LinkKind::Rs485, context_.rs485Port, rs485Engine_, [this] { handOverRs485Peers(); },
                  context_.indicators, context_.log, context_.clock}),
      radioConnector_(Link::Radio, context_.radioPort, radioWork_, context_.settings, context_.connections,
                      context_.notices),
      rs485Connector_(Link::Rs485, context_.rs485Port, rs485Work_, context_.settings, context_.connections,
                      context_.notices),
      queryTimerDemand_(context_.connections, context_.timers)
{
    radioEvents_.setFailureHandler([this](const QString&) { engineFailed(Link::Radio, radioWork_); });
    rs485Events_.setFailureHandler([this](const QString&) { engineFailed(Link::Rs485, rs485Work_); });
}

LinksController::~LinksController() = default;

void LinksController::attachTrees(links::SupervisedTree& tree, std::function<bool()> addObjectWindowShowing)
{
    supervision_ = std::make_unique<links::LinkSupervision>(links::SupervisionParts{
        tree, context_.records, context_.zigBee, context_.rs485, context_.indicators, context_.supervisionPause,
        context_.modemLost, std::move(addObjectWindowShowing), context_.log, context_.clock});
}

void LinksController::attachReportSteps(links::ReportStepHost& reports, StatePacketArrivalHost& arrival)
{
    radioStep_ = std::make_unique<links::LinkReportStep>(links::LinkReportStepParts{
        LinkKind::Radio, radioLink_, context_.zigBee, context_.rs485, reports, arrival, context_.log, context_.clock});
    rs485Step_ = std::make_unique<links::LinkReportStep>(links::LinkReportStepParts{
        LinkKind::Rs485, rs485Link_, context_.rs485, context_.zigBee, reports, arrival, context_.log, context_.clock});
}

void LinksController::radioStep()
{
    if (radioStep_)
        radioStep_->run();
}

bool LinksController::rs485Step()
{
    return !rs485Step_ || rs485Step_->run();
}

void LinksController::handOverRadioPeers()
{
    radioEngine_.setPeers(links::ReadRadioPeers(context_.zigBee, context_.objects.objectCodes()));
}

void LinksController::handOverRs485Peers()
{
    rs485Engine_.setPeers(links::ReadRs485Peers(context_.rs485, context_.objects.objectCodes()));
}

void LinksController::objectsChanged()
{
    if (context_.connections.isConnected(Link::Radio))
        handOverRadioPeers();
    if (context_.connections.isConnected(Link::Rs485))
        handOverRs485Peers();
}

void LinksController::engineFailed(Link link, links::ShortRangeLinkWork& work)
{
    // The failure is logged already; the link is shown disconnected so the operator can connect
    // it again.
    work.shutDown();
    context_.connections.setConnected(link, false);
}

void LinksController::Timer2Timer()
{
    if (supervision_)
        supervision_->Timer2Timer();
}

void LinksController::stopRadioExchange()
{
    radioWork_.shutDown();
}

void LinksController::stopRs485Exchange()
{
    rs485Work_.shutDown();
}

} // namespace kvt
