// SPDX-License-Identifier: MIT
#include "IPSubnetTexts.h"

#include "IPSubnetModel.h"

namespace Parlamine {

std::string BitMapTitle(int addressClass, bool subnetMap) {
  if (subnetMap) return "Subnet";
  switch (addressClass) {
    case 0:
      return "Class A";
    case 1:
      return "Class B";
    case 2:
      return "Class C";
    default:
      return "Multicast";
  }
}

std::string BitMapLegendText(int addressClass, bool subnetMap) {
  const std::string head = BitMapTitle(addressClass, subnetMap) + " Bit Map (";
  // Without a class (the list has no item) the class map reads as multicast.
  const bool classful = addressClass >= 0 && addressClass < MulticastClass;
  if (addressClass == MulticastClass || (!subnetMap && !classful)) return head + "g=group)";
  return head + (subnetMap ? "n=network;s=subnet;h=host)" : "n=network;h=host)");
}

}  // namespace Parlamine
