#include "SampleCase.h"

using namespace quoravel;

ClientCase SampleProposalCase() {
    ClientCase client;
    client.SetFirstName("John");
    client.SetLastName("Sample");
    client.SetState("TX");
    client.SetAge(35);
    client.SetIsMale(true);
    client.SetClassification(2);
    client.SetTableRating("None");
    client.AssignedBroker().Set(BrokerField::last_name, "Broker");
    client.Proposal().AddProduct(4);
    client.Proposal().AddFaceAmount(250000, "TX");
    client.Proposal().SetYearsToPrint(20);
    return client;
}
