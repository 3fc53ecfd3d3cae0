' ProductNumber 1 and SerialNumber 23 loaded before activation choose camera 100 000 023, the one
' with the 640 x 480 sensor, among two.
Expect "EnumFilter", Selvar.EnumFilter, 0
Expect "ProductNumber", Selvar.ProductNumber, 1
Expect "SerialNumber", Selvar.SerialNumber, 23
Expect "IsCameraOK", Selvar.IsCameraOK(), 1
Expect "sensor width of the chosen camera", Selvar.GetROIParameter(4), 640
Finish "the persisted serial number chose the camera"
