#include "SampleCase.h"

using namespace quoravel;

cClient SampleProposalCase() {
    cClient client;
    client.SetFirstName("John");
    client.SetLastName("Sample");
    client.SetState("TX");
    client.SetAge(35);
    client.SetIsMale(true);
    client.SetClassification(2);
    client.SetTableRating("None");
    client.broker().Set(BrokerField::last_name, "Broker");
    client.proposal().AddProduct(4);
    client.proposal().AddFaceAmount(250000, "TX");
    client.proposal().SetYearsToPrint(20);
    return client;
}
