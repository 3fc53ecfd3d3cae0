' A stored state of another version loads EnumFilter 187 and nothing else.
Expect "EnumFilter", Selvar.EnumFilter, 187
Expect "ProductNumber", Selvar.ProductNumber, 0
Expect "SerialNumber", Selvar.SerialNumber, 0
Finish "a state of another version gives 187"
